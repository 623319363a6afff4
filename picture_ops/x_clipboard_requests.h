#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <memory>

namespace kreslix {

class ClipboardOffer;

// On X11, Qt answers another program's request for the clipboard's content on the window's
// thread, at once and in full: a request for bytes still being encoded would wait there, and
// the window with it. This holds such a request back, out of Qt's sight, and hands it to Qt
// again (sent to the clipboard's own window once more) as soon as the offer's bytes are ready,
// or when the offer goes away, when Qt refuses it. Requests for the list of types, and for
// bytes already made, pass straight through. Elsewhere (Wayland, offscreen) this does nothing.
class XClipboardRequests : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // The offer that now holds the CLIPBOARD selection; requests for it are watched from now.
    static void watch(ClipboardOffer* offer);

    ~XClipboardRequests() override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct X;
    explicit XClipboardRequests(std::unique_ptr<X> x);
    void handBack();

    std::unique_ptr<X> x_;
    QPointer<ClipboardOffer> offer_;
};

}  // namespace kreslix
