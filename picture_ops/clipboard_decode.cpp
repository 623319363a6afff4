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

QImage decodeClipboardImage(QByteArray bytes) {
    checkImageHeaderSize(bytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // In whole MiB, rounded up; the exact rule was checked above wherever the size is known.
    const qint64 limitMiB = (pictureMemoryLimit() >> 20) + 1;
    reader.setAllocationLimit(int(std::min<qint64>(limitMiB, INT_MAX)));
    return reader.read();
}

}  // namespace kreslix
