#include "picture_ops/clipboard_image.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include "common/error.h"

namespace kreslix {

namespace {

const QMimeData* clipboardContent() {
    return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
}

// The offered types that a Qt image reader decodes, in the order the owner offers them.
// Another program's content is already seen as an image through Qt's platform layer; this
// covers content that carries only encoded bytes.
QStringList readableImageTypes(const QMimeData& content) {
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList types;
    for (const QString& type : content.formats()) {
        if (readable.contains(type.toLatin1()))
            types << type;
    }
    return types;
}

}  // namespace

void publishClipboardImage(const QImage& image) {
    auto* content = new QMimeData;
    content->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(content, QClipboard::Clipboard);
}

bool clipboardOffersImage() {
    const QMimeData* content = clipboardContent();
    return content && (content->hasImage() || !readableImageTypes(*content).isEmpty());
}

QImage readClipboardImage() {
    const QMimeData* content = clipboardContent();
    QImage image;
    if (content && content->hasImage()) {
        image = qvariant_cast<QImage>(content->imageData());
    } else if (content) {
        for (const QString& type : readableImageTypes(*content)) {
            image = QImage::fromData(content->data(type));
            if (!image.isNull())
                break;
        }
    }
    if (image.isNull())
        throw KreslixError(QStringLiteral("Unsupported clipboard format"));
    return image;
}

}  // namespace kreslix
