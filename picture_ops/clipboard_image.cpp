#include "picture_ops/clipboard_image.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "common/error.h"
#include "picture_ops/clipboard_decode.h"
#include "picture_ops/clipboard_offer.h"
#include "picture_ops/x_clipboard_requests.h"

namespace kreslix {

namespace {

// Another program's content comes through Qt's platform layer, which shows every image type
// that a Qt image reader decodes (image/png, image/bmp, image/jpeg...) as one image.
const QMimeData* clipboardContent() {
    return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
}

}  // namespace

void publishClipboardImage(const QImage& image) {
    auto* offer = new ClipboardOffer(image);
    QGuiApplication::clipboard()->setMimeData(offer, QClipboard::Clipboard);
    XClipboardRequests::watch(offer);
}

bool clipboardOffersImage() {
    const QMimeData* content = clipboardContent();
    return content && (ClipboardOffer::of(content) || content->hasImage());
}

QImage readClipboardImage() {
    const QMimeData* content = clipboardContent();
    if (!content)
        throw KreslixError(QStringLiteral("Unsupported clipboard format"));
    // This process's own picture, held as it was published: nothing to decode.
    if (const ClipboardOffer* own = ClipboardOffer::of(content))
        return own->image();
    const QStringList types = pastableImageTypes(content->formats());
    QImage image;
    if (QGuiApplication::clipboard()->ownsClipboard() || types.isEmpty()) {
        // An image this process put there through Qt: nothing to decode.
        image = qvariant_cast<QImage>(content->imageData());
    }
    for (const QString& type : types) {
        if (!image.isNull())
            break;
        image = decodeClipboardImage(content->data(type));
    }
    if (image.isNull())
        throw KreslixError(QStringLiteral("Unsupported clipboard format"));
    return image;
}

}  // namespace kreslix
