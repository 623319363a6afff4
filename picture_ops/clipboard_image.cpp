#include "picture_ops/clipboard_image.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <algorithm>
#include <climits>

#include "common/error.h"
#include "document/files/picture_size.h"
#include "picture_ops/clipboard_offer.h"
#include "picture_ops/x_clipboard_requests.h"

namespace kreslix {

namespace {

// Another program's content comes through Qt's platform layer, which shows every image type
// that a Qt image reader decodes (image/png, image/bmp, image/jpeg...) as one image.
const QMimeData* clipboardContent() {
    return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
}

// The image types that another program offers as bytes, in the order they are tried. BMP comes
// first: an owner that converts its picture on demand writes it without compressing anything,
// while PNG of a large picture keeps it busy for longer than Qt's X clipboard waits for an
// answer (an 8000 × 6000 picture takes Qt's PNG writer most of a minute). PNG comes next, then
// whatever else Qt reads.
QStringList offeredImageTypes(const QMimeData& content) {
    const QStringList offered = content.formats();
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

// Decodes the bytes as the picture-memory rule allows, not by Qt's default limit of 128 MiB,
// which refuses a photo of 8000 × 6000 pixels. An image beyond the rule fails with its size.
QImage decodeImage(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid())
        checkPictureSize(size.width(), size.height());
    // In whole MiB, rounded up; the exact rule was checked above wherever the size is known.
    const qint64 limitMiB = (pictureMemoryLimit() >> 20) + 1;
    reader.setAllocationLimit(int(std::min<qint64>(limitMiB, INT_MAX)));
    return reader.read();
}

}  // namespace

void publishClipboardImage(const QImage& image) {
    auto* offer = new ClipboardOffer(image);
    QGuiApplication::clipboard()->setMimeData(offer, QClipboard::Clipboard);
    XClipboardRequests::watch(offer);
}

bool clipboardOffersImage() {
    const QMimeData* content = clipboardContent();
    return content && (content->hasImage() || ClipboardOffer::of(content));
}

QImage readClipboardImage() {
    const QMimeData* content = clipboardContent();
    if (!content)
        throw KreslixError(QStringLiteral("Unsupported clipboard format"));
    // This process's own picture, held as it was published: nothing to decode.
    if (const ClipboardOffer* own = ClipboardOffer::of(content))
        return own->image();
    const QStringList types = offeredImageTypes(*content);
    QImage image;
    if (types.isEmpty()) {
        // An image this process put there through Qt: nothing to decode.
        image = qvariant_cast<QImage>(content->imageData());
    }
    for (const QString& type : types) {
        image = decodeImage(content->data(type));
        if (!image.isNull())
            break;
    }
    if (image.isNull())
        throw KreslixError(QStringLiteral("Unsupported clipboard format"));
    return image;
}

}  // namespace kreslix
