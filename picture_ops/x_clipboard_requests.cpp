#include "picture_ops/x_clipboard_requests.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "picture_ops/clipboard_offer.h"

namespace kreslix {

struct XClipboardRequests::X {
    xcb_connection_t* connection = nullptr;
    xcb_atom_t clipboard = XCB_NONE;
    xcb_atom_t png = XCB_NONE;
    xcb_atom_t bmp = XCB_NONE;
    std::vector<xcb_selection_request_event_t> held;
};

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

xcb_connection_t* xConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

void XClipboardRequests::watch(ClipboardOffer* offer) {
    // One per application, made with the first offer on an X display; it goes with the
    // application, before the X connection does.
    static QPointer<XClipboardRequests> requests;
    if (!requests) {
        xcb_connection_t* connection = xConnection();
        if (!connection)
            return;
        auto x = std::make_unique<X>();
        x->connection = connection;
        x->clipboard = internAtom(connection, "CLIPBOARD");
        x->png = internAtom(connection, ClipboardOffer::kPng);
        x->bmp = internAtom(connection, ClipboardOffer::kBmp);
        requests = new XClipboardRequests(std::move(x));
        requests->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installNativeEventFilter(requests);
    }
    // The requests held for the offer before are handed back: Qt refuses them as too old, or
    // answers them from the new offer.
    requests->handBack();
    requests->offer_ = offer;
    connect(offer, &ClipboardOffer::bytesReady, requests, &XClipboardRequests::handBack);
    connect(offer, &QObject::destroyed, requests, &XClipboardRequests::handBack);
}

XClipboardRequests::XClipboardRequests(std::unique_ptr<X> x) : x_(std::move(x)) {}

XClipboardRequests::~XClipboardRequests() = default;

bool XClipboardRequests::nativeEventFilter(const QByteArray& eventType, void* message,
                                           qintptr* result) {
    (void)result;
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_SELECTION_REQUEST || !offer_)
        return false;
    const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
    if (request->selection != x_->clipboard)
        return false;
    const char* type = request->target == x_->png   ? ClipboardOffer::kPng
                       : request->target == x_->bmp ? ClipboardOffer::kBmp
                                                    : nullptr;
    if (!type || offer_->prepared(QLatin1String(type)))
        return false;
    x_->held.push_back(*request);
    return true;
}

void XClipboardRequests::handBack() {
    if (x_->held.empty())
        return;
    std::vector<xcb_selection_request_event_t> held;
    held.swap(x_->held);
    for (xcb_selection_request_event_t request : held) {
        // Sent to the clipboard's owner window, which is this client's: the event comes back
        // through Qt's event queue as the request it was.
        request.response_type = XCB_SELECTION_REQUEST;
        xcb_send_event(x_->connection, 0, request.owner, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&request));
    }
    xcb_flush(x_->connection);
}

}  // namespace kreslix
