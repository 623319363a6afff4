#include "picture_ops/clipboard_decode.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <climits>

#include "document/files/picture_size.h"

namespace kreslix {

QStringList pastableImageTypes(const QStringList& offered) {
    QStringList types;
    for (const char* preferred : {"image/bmp", "image/png"}) {
        if (offered.contains(QLatin1String(preferred)))
            types.append(QLatin1String(preferred));
    }
    for (const QByteArray& type : QImageReader::supportedMimeTypes()) {
        const QString name = QString::fromLatin1(type);
        if (offered.contains(name) && !types.contains(name))
            types.append(name);
    }
    return types;
}

void checkImageHeaderSize(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid())
        checkPictureSize(size.width(), size.height());
}

namespace {

// The bytes as Qt's image readers pull them while they decode: each read tells how far the
// decoding is, and once a stop is asked for the bytes end in a read error, which ends the
// decoding at its next read.
class WatchedBytes : public QBuffer {
public:
    WatchedBytes(QByteArray* bytes, WorkProgress* progress) : QBuffer(bytes), progress_(progress) {}

protected:
    qint64 readData(char* data, qint64 most) override {
        if (progress_) {
            if (progress_->stopRequested())
                return -1;
            // The reader looks at the header first and goes back: only a further place counts.
            const double reached = double(pos()) / double(std::max<qint64>(1, size()));
            if (reached > reached_) {
                reached_ = reached;
                progress_->report(reached);
            }
        }
        return QBuffer::readData(data, most);
    }

private:
    WorkProgress* progress_;
    double reached_ = 0;
};

}  // namespace

QImage decodeClipboardImage(QByteArray bytes, WorkProgress* progress) {
    checkImageHeaderSize(bytes);
    WatchedBytes buffer(&bytes, progress);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // In whole MiB, rounded up; the exact rule was checked above wherever the size is known.
    const qint64 limitMiB = (pictureMemoryLimit() >> 20) + 1;
    reader.setAllocationLimit(int(std::min<qint64>(limitMiB, INT_MAX)));
    QImage image = reader.read();
    if (progress && progress->stopRequested())
        throw WorkStopped{};
    return image;
}

}  // namespace kreslix
