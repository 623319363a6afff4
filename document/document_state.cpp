#include "document/document_state.h"

#include <QFileInfo>

#include "common/error.h"

namespace kreslix {

DocumentState::DocumentState() : caption_(untitledCaption()) {
    picture_.image = QImage(kStartWidth, kStartHeight, QImage::Format_RGB32);
    picture_.image.fill(toPixel(kWhite));
    attachCanvas();
}

DocumentState::~DocumentState() = default;

void DocumentState::replacePicture(Picture picture) {
    canvas_.reset();
    picture_ = std::move(picture);
    attachCanvas();
    emit pictureReplaced();
}

const Picture& DocumentState::pictureToWrite() const {
    if (picture_.image.size() != shownSize_)
        throw KreslixError(QStringLiteral("Obrázok sa nedá uložiť: jeho body sa stratili"));
    return picture_;
}

void DocumentState::attachCanvas() {
    shownSize_ = picture_.image.size();
    canvas_ = std::make_unique<Canvas>(&picture_.image);
    canvas_->setChangeListener([this](const QRect& r) { emit pictureChanged(r); });
}

void DocumentState::keepPenAndBrush() {
    kept_.brushStyle = canvas_->brush().style();
    kept_.penStyle = canvas_->pen().style();
    kept_.penWidth = canvas_->pen().width();
    kept_.penColour = canvas_->pen().colour();
    kept_.brushColour = canvas_->brush().colour();
}

void DocumentState::restorePenAndBrush() {
    // In this order a clear brush comes back clear and white, then its colour makes it solid.
    canvas_->brush().setStyle(kept_.brushStyle);
    canvas_->pen().setStyle(kept_.penStyle);
    canvas_->pen().setWidth(kept_.penWidth);
    canvas_->pen().setColour(kept_.penColour);
    canvas_->brush().setColour(kept_.brushColour);
}

void DocumentState::setSaveButtonEnabled(bool on) {
    if (saveButtonEnabled_ == on)
        return;
    saveButtonEnabled_ = on;
    emit saveButtonEnabledChanged(on);
}

QString DocumentState::untitledCaption() {
    return QStringLiteral("Kreslix (32bit) - bez názvu");
}

QString DocumentState::fileCaption(const QString& path) {
    return QStringLiteral("Kreslix (32bit) - ") + QFileInfo(path).fileName();
}

void DocumentState::showUntitledCaption() {
    caption_ = untitledCaption();
    emit captionChanged(caption_);
}

void DocumentState::showFileCaption() {
    caption_ = fileCaption(fileName_);
    emit captionChanged(caption_);
}

}  // namespace kreslix
