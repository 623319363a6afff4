#include "picture_ops/x_selection_reader.h"

#include <poll.h>

#include <QDeadlineTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace kreslix {

namespace {

// How often a wait looks whether the user asked to stop.
constexpr int kStopCheckMs = 50;
// The most a property is read at once, in 32-bit units: 4 MiB.
constexpr uint32_t kPieceUnits = 1u << 20;

// Replies and events of xcb are malloc'ed and freed by the caller.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

void checkStop(const WorkProgress& progress) {
    if (progress.stopRequested())
        throw WorkStopped{};
}

}  // namespace

XSelectionReader::~XSelectionReader() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool XSelectionReader::open() {
    if (connection_)
        return !xcb_connection_has_error(connection_);
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_))
        return false;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    window_ = xcb_generate_id(connection_);
    // Every change of the window's properties: the owner's pieces of an INCR transfer.
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screens.data->root, -1, -1, 1, 1,
                      0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    clipboard_ = atom("CLIPBOARD");
    property_ = atom("KRESLIX_PASTE");
    incr_ = atom("INCR");
    return !xcb_connection_has_error(connection_);
}

xcb_atom_t XSelectionReader::atom(const char* name, qsizetype length) {
    const auto size = uint16_t(length < 0 ? std::strlen(name) : size_t(length));
    const XcbPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, size, name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

xcb_generic_event_t* XSelectionReader::nextEvent(WorkProgress& progress) {
    const QDeadlineTimer deadline(kOwnerSilenceLimitMs);
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            return event;
        if (xcb_connection_has_error(connection_))
            return nullptr;
        checkStop(progress);
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return nullptr;
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&descriptor, 1, int(std::min<qint64>(left, kStopCheckMs)));
    }
}

std::optional<xcb_atom_t> XSelectionReader::convert(xcb_atom_t target, WorkProgress& progress) {
    xcb_convert_selection(connection_, window_, clipboard_, target, property_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    for (;;) {
        const XcbPtr<xcb_generic_event_t> event(nextEvent(progress));
        if (!event)
            return std::nullopt;
        if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
            continue;
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
        if (notify->requestor != window_ || notify->selection != clipboard_ ||
            notify->target != target)
            continue;
        if (notify->property == XCB_NONE)
            return xcb_atom_t(XCB_NONE);
        const XcbPtr<xcb_get_property_reply_t> stored(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, 0),
            nullptr));
        return stored ? stored->type : xcb_atom_t(XCB_NONE);
    }
}

void XSelectionReader::takeProperty(QByteArray& bytes, WorkProgress& progress,
                                    const ReceivedCheck& received, qint64 announcedSize) {
    for (uint32_t offset = 0;;) {
        checkStop(progress);
        const XcbPtr<xcb_get_property_reply_t> piece(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, window_, property_,
                                                    XCB_GET_PROPERTY_TYPE_ANY, offset, kPieceUnits),
                                   nullptr));
        if (!piece)
            break;
        const int length = xcb_get_property_value_length(piece.get());
        bytes.append(static_cast<const char*>(xcb_get_property_value(piece.get())), length);
        if (received)
            received(bytes, announcedSize);
        if (piece->bytes_after == 0 || length == 0)
            break;
        offset += uint32_t(length) / 4;
    }
    xcb_delete_property(connection_, window_, property_);
    xcb_flush(connection_);
}

bool XSelectionReader::takeIncremental(QByteArray& bytes, WorkProgress& progress,
                                       const ReceivedCheck& received) {
    // The INCR property holds a lower bound of the size; deleting it asks for the first piece.
    QByteArray bound;
    takeProperty(bound, progress, {}, -1);
    quint32 announced = 0;
    if (bound.size() >= 4)
        std::memcpy(&announced, bound.constData(), 4);
    for (;;) {
        const XcbPtr<xcb_generic_event_t> event(nextEvent(progress));
        if (!event)
            return false;
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
        if (change->window != window_ || change->atom != property_ ||
            change->state != XCB_PROPERTY_NEW_VALUE)
            continue;
        const qsizetype before = bytes.size();
        takeProperty(bytes, progress, received, announced ? qint64(announced) : -1);
        if (bytes.size() == before)
            return true;
    }
}

std::optional<QStringList> XSelectionReader::offeredTypes(WorkProgress& progress) {
    if (!open())
        return std::nullopt;
    const std::optional<xcb_atom_t> type = convert(atom("TARGETS"), progress);
    if (!type)
        return std::nullopt;
    QByteArray value;
    if (*type == incr_) {
        if (!takeIncremental(value, progress, {}))
            return std::nullopt;
    } else if (*type != XCB_NONE) {
        takeProperty(value, progress, {}, -1);
    }
    std::vector<xcb_atom_t> atoms(size_t(value.size()) / sizeof(xcb_atom_t));
    std::memcpy(atoms.data(), value.constData(), atoms.size() * sizeof(xcb_atom_t));
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (const xcb_atom_t offered : atoms)
        cookies.push_back(xcb_get_atom_name(connection_, offered));
    QStringList names;
    for (const xcb_get_atom_name_cookie_t cookie : cookies) {
        const XcbPtr<xcb_get_atom_name_reply_t> name(
            xcb_get_atom_name_reply(connection_, cookie, nullptr));
        if (name)
            names << QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                         xcb_get_atom_name_name_length(name.get()));
    }
    return names;
}

std::optional<QByteArray> XSelectionReader::read(const QString& type, WorkProgress& progress,
                                                 const ReceivedCheck& received) {
    if (!open())
        return std::nullopt;
    const QByteArray name = type.toLatin1();
    const std::optional<xcb_atom_t> stored = convert(atom(name.constData(), name.size()), progress);
    if (!stored)
        return std::nullopt;
    QByteArray bytes;
    if (*stored == incr_) {
        if (!takeIncremental(bytes, progress, received))
            return std::nullopt;
    } else if (*stored != XCB_NONE) {
        takeProperty(bytes, progress, received, -1);
    }
    return bytes;
}

}  // namespace kreslix
