#include "picture_ops/wayland_offer_reader.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <qpa/qplatformnativeinterface.h>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <algorithm>
#include <map>

namespace kreslix {

namespace {

// How often a wait looks whether the user asked to stop.
constexpr int kStopCheckMs = 50;
// The most read from the pipe at once.
constexpr qsizetype kPieceBytes = 1 << 20;

void checkStop(const WorkProgress& progress) {
    if (progress.stopRequested())
        throw WorkStopped{};
}

class WaylandOfferReader : public ClipboardReader {
public:
    explicit WaylandOfferReader(wl_display* display) : display_(display) {}
    ~WaylandOfferReader() override;
    WaylandOfferReader(const WaylandOfferReader&) = delete;
    WaylandOfferReader& operator=(const WaylandOfferReader&) = delete;

    std::optional<QStringList> offeredTypes(WorkProgress& progress) override;
    std::optional<QByteArray> read(const QString& type, WorkProgress& progress,
                                   const ReceivedCheck& received) override;

private:
    // Waits for this queue's events at most `timeoutMs` and handles them; false when the
    // connection failed.
    bool dispatch(int timeoutMs);
    // Waits until the compositor has sent everything asked before; false when it did not in
    // time.
    bool roundTrip(WorkProgress& progress);

    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
    static void globalRemoved(void*, wl_registry*, uint32_t) {}
    static void newOffer(void* data, wl_data_device*, wl_data_offer* offer);
    static void selection(void* data, wl_data_device*, wl_data_offer* offer);
    static void offered(void* data, wl_data_offer* offer, const char* type);

    static constexpr wl_registry_listener registryListener_{global, globalRemoved};
    static constexpr wl_data_device_listener deviceListener_{
        newOffer,
        [](void*, wl_data_device*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t, wl_data_offer*) {
        },
        [](void*, wl_data_device*) {},
        [](void*, wl_data_device*, uint32_t, wl_fixed_t, wl_fixed_t) {},
        [](void*, wl_data_device*) {},
        selection};
    static constexpr wl_data_offer_listener offerListener_{
        offered, [](void*, wl_data_offer*, uint32_t) {}, [](void*, wl_data_offer*, uint32_t) {}};

    wl_display* display_;
    wl_event_queue* queue_ = nullptr;
    wl_display* wrapper_ = nullptr;  // the display with this queue, for the requests made here
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_data_device_manager* manager_ = nullptr;
    wl_data_device* device_ = nullptr;
    std::map<wl_data_offer*, QStringList> offers_;
    wl_data_offer* selection_ = nullptr;
};

WaylandOfferReader::~WaylandOfferReader() {
    for (const auto& [offer, types] : offers_)
        wl_data_offer_destroy(offer);
    if (device_) {
        if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(device_)) >=
            WL_DATA_DEVICE_RELEASE_SINCE_VERSION)
            wl_data_device_release(device_);
        else
            wl_data_device_destroy(device_);
    }
    if (manager_)
        wl_data_device_manager_destroy(manager_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    if (wrapper_)
        wl_proxy_wrapper_destroy(wrapper_);
    if (queue_)
        wl_event_queue_destroy(queue_);
    wl_display_flush(display_);
}

void WaylandOfferReader::global(void* data, wl_registry* registry, uint32_t name,
                                const char* interface, uint32_t version) {
    auto* self = static_cast<WaylandOfferReader*>(data);
    const QLatin1String kind(interface);
    if (kind == QLatin1String(wl_seat_interface.name) && !self->seat_) {
        self->seat_ =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (kind == QLatin1String(wl_data_device_manager_interface.name) && !self->manager_) {
        self->manager_ = static_cast<wl_data_device_manager*>(wl_registry_bind(
            registry, name, &wl_data_device_manager_interface, std::min<uint32_t>(version, 3)));
    }
}

void WaylandOfferReader::newOffer(void* data, wl_data_device*, wl_data_offer* offer) {
    auto* self = static_cast<WaylandOfferReader*>(data);
    self->offers_[offer];
    wl_data_offer_add_listener(offer, &offerListener_, self);
}

void WaylandOfferReader::offered(void* data, wl_data_offer* offer, const char* type) {
    static_cast<WaylandOfferReader*>(data)->offers_[offer].append(QString::fromUtf8(type));
}

void WaylandOfferReader::selection(void* data, wl_data_device*, wl_data_offer* offer) {
    static_cast<WaylandOfferReader*>(data)->selection_ = offer;
}

bool WaylandOfferReader::dispatch(int timeoutMs) {
    // The window's thread reads the same connection: events for this queue may be read there,
    // so the wait is short and the queue is looked at again after it.
    while (wl_display_prepare_read_queue(display_, queue_) != 0) {
        if (wl_display_dispatch_queue_pending(display_, queue_) < 0)
            return false;
    }
    wl_display_flush(display_);
    pollfd descriptor{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&descriptor, 1, timeoutMs) > 0) {
        if (wl_display_read_events(display_) < 0)
            return false;
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_queue_pending(display_, queue_) >= 0;
}

bool WaylandOfferReader::roundTrip(WorkProgress& progress) {
    bool done = false;
    static constexpr wl_callback_listener doneListener{
        [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback* callback = wl_display_sync(wrapper_);
    wl_callback_add_listener(callback, &doneListener, &done);
    const QDeadlineTimer deadline(kOwnerSilenceLimitMs);
    bool ok = true;
    while (!done && ok && !deadline.hasExpired() && !progress.stopRequested())
        ok = dispatch(int(std::min<qint64>(deadline.remainingTime(), kStopCheckMs)));
    wl_callback_destroy(callback);
    checkStop(progress);
    return done;
}

std::optional<QStringList> WaylandOfferReader::offeredTypes(WorkProgress& progress) {
    queue_ = wl_display_create_queue(display_);
    wrapper_ = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper_), queue_);
    registry_ = wl_display_get_registry(wrapper_);
    wl_registry_add_listener(registry_, &registryListener_, this);
    if (!roundTrip(progress))
        return std::nullopt;
    if (!seat_ || !manager_)
        return QStringList();
    // A new device is sent the current selection at once, when this client has the focus.
    device_ = wl_data_device_manager_get_data_device(manager_, seat_);
    wl_data_device_add_listener(device_, &deviceListener_, this);
    if (!roundTrip(progress))
        return std::nullopt;
    if (!selection_)
        return QStringList();
    return offers_[selection_];
}

std::optional<QByteArray> WaylandOfferReader::read(const QString& type, WorkProgress& progress,
                                                   const ReceivedCheck& received) {
    if (!selection_)
        return QByteArray();
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return QByteArray();
    wl_data_offer_receive(selection_, type.toUtf8().constData(), ends[1]);
    close(ends[1]);
    wl_display_flush(display_);
    const int source = ends[0];
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{source};
    QByteArray bytes;
    QDeadlineTimer deadline(kOwnerSilenceLimitMs);
    for (;;) {
        checkStop(progress);
        if (deadline.hasExpired())
            return std::nullopt;
        pollfd descriptor{source, POLLIN, 0};
        if (poll(&descriptor, 1, int(std::min<qint64>(deadline.remainingTime(), kStopCheckMs))) <=
            0)
            continue;
        const qsizetype before = bytes.size();
        bytes.resize(before + kPieceBytes);
        const ssize_t count = ::read(source, bytes.data() + before, size_t(kPieceBytes));
        bytes.resize(before + std::max<ssize_t>(count, 0));
        if (count == 0)
            return bytes;
        if (count < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return QByteArray();
        }
        deadline = QDeadlineTimer(kOwnerSilenceLimitMs);
        if (received)
            received(bytes, -1);
    }
}

}  // namespace

std::unique_ptr<ClipboardReader> makeWaylandOfferReader() {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    void* display = native ? native->nativeResourceForIntegration("wl_display") : nullptr;
    if (!display)
        return nullptr;
    return std::make_unique<WaylandOfferReader>(static_cast<wl_display*>(display));
}

}  // namespace kreslix
