#include "picture_ops/clipboard_offer.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "document/files/bmp_writer.h"
#include "picture_ops/png_strips.h"

namespace kreslix {

namespace {

// The niceness of the encoding threads, on top of the program's own.
constexpr int kEncoderNice = 10;

}  // namespace

// One type's bytes, made on a thread of their own. The thread holds its own reference to the
// pixels, and the offer waits for it to end (after asking it to stop) before going away.
struct ClipboardOffer::Encoding {
    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    QByteArray bytes;
    std::atomic<bool> stop{false};
    std::thread thread;
};

ClipboardOffer::ClipboardOffer(const QImage& image) : image_(image) {
    encoding(QLatin1String(kPng));
}

ClipboardOffer::~ClipboardOffer() {
    for (const auto& started : {png_, bmp_}) {
        if (!started)
            continue;
        started->stop = true;
        if (started->thread.joinable())
            started->thread.join();
    }
}

ClipboardOffer::Encoding& ClipboardOffer::encoding(const QString& mimeType) const {
    const bool png = mimeType == QLatin1String(kPng);
    std::shared_ptr<Encoding>& slot = png ? png_ : bmp_;
    if (slot)
        return *slot;
    slot = std::make_shared<Encoding>();
    Encoding* started = slot.get();
    auto* offer = const_cast<ClipboardOffer*>(this);
    // The pixels go by value: the thread's own reference keeps them for as long as it reads.
    auto encode = [offer, started, png, pixels = image_] {
        // Below the window's thread, which keeps the processors it needs to answer at once;
        // the strip threads started from here inherit this.
        const auto thread = id_t(::gettid());
        ::setpriority(PRIO_PROCESS, thread,
                      std::min(19, ::getpriority(PRIO_PROCESS, thread) + kEncoderNice));
        QByteArray bytes;
        try {
            bytes =
                png ? encodePngInStrips(pixels, &started->stop) : bmpFileBytes(pixels, &started->stop);
        } catch (const std::exception&) {
            // Out of memory or threads: the type is offered with no bytes.
        }
        {
            const std::lock_guard lock(started->mutex);
            started->bytes = std::move(bytes);
            started->finished = true;
        }
        started->finishedChanged.notify_all();
        // Delivered on the offer's thread, unless the offer is deleted first: its destructor
        // waits for this thread, and the object's posted events go with it.
        QMetaObject::invokeMethod(offer, "bytesReady", Qt::QueuedConnection);
    };
    try {
        started->thread = std::thread(encode);
    } catch (const std::system_error&) {
        // No thread to be had (the memory is exhausted): nothing is encoded.
        const std::lock_guard lock(started->mutex);
        started->finished = true;
    }
    return *started;
}

QStringList ClipboardOffer::formats() const {
    return {QLatin1String(kPng), QLatin1String(kBmp)};
}

bool ClipboardOffer::hasFormat(const QString& mimeType) const {
    // Never "application/x-qt-image": with it, Qt's platform layer would offer and encode every
    // image type it can write, on the window's thread.
    return mimeType == QLatin1String(kPng) || mimeType == QLatin1String(kBmp);
}

bool ClipboardOffer::prepared(const QString& mimeType) const {
    if (!hasFormat(mimeType))
        return false;
    Encoding& started = encoding(mimeType);
    const std::lock_guard lock(started.mutex);
    return started.finished;
}

QVariant ClipboardOffer::retrieveData(const QString& mimeType, QMetaType type) const {
    (void)type;
    // The picture itself for this process (QClipboard::image), which asks for it by this name
    // without asking hasFormat first; the platform asks hasFormat and so never sees it.
    if (mimeType == QLatin1String("application/x-qt-image"))
        return image_;
    if (!hasFormat(mimeType))
        return {};
    Encoding& started = encoding(mimeType);
    std::unique_lock lock(started.mutex);
    started.finishedChanged.wait(lock, [&] { return started.finished; });
    return started.bytes;
}

const ClipboardOffer* ClipboardOffer::of(const QMimeData* data) {
    return qobject_cast<const ClipboardOffer*>(data);
}

}  // namespace kreslix
