#include "app/picture_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/picture_pixel.h"

namespace kreslix {

PictureView::PictureView(const QImage* image, QWidget* parent) : QWidget(parent), image_(image) {
    setObjectName(QStringLiteral("Image"));
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    // The popup menu opens on the right release, after the stroke has ended.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setToolTip(QStringLiteral("Dajte sa do kreslenia..."));
    fitPicture();
}

void PictureView::fitPicture() {
    // An empty picture keeps the control's last size, as an auto-sized picture control does.
    if (image_->width() > 0 && image_->height() > 0)
        resize(image_->size());
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

QSize PictureView::pictureSize() const {
    return image_->size();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const QRect inPicture = area & image_->rect();
    if (!inPicture.isEmpty())
        painter.drawImage(inPicture.topLeft(), *image_, inPicture);
    // Where the control is larger than an empty picture, show the scroll area's background.
    const QRegion rest = QRegion(area) - inPicture;
    for (const QRect& r : rest)
        painter.fillRect(r, palette().window());
}

bool PictureView::overPicture(QPoint pos) const {
    return visibleRegion().contains(pos);
}

QPoint PictureView::pictureAt(const QMouseEvent& event) const {
    return picturePixelAt(event.scenePosition(), mapTo(window(), QPoint(0, 0)));
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftCaptured_ = true;
    emit pressed(event->button(), pictureAt(*event));
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = pictureAt(*event);
    // The left release may never have come here (a modal window took it): with the button up,
    // the capture is over.
    if (!(event->buttons() & Qt::LeftButton))
        leftCaptured_ = false;
    if (leftCaptured_ || overPicture(pos))
        emit moved(pos);
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = pictureAt(*event);
    // While the left button is held, the release of any button comes from the capture.
    const bool captured = leftCaptured_;
    if (event->button() == Qt::LeftButton)
        leftCaptured_ = false;
    if (!captured && !overPicture(pos))
        return;
    emit released(event->button(), pos);
    if (event->button() == Qt::RightButton && overPicture(pos)) {
        emit popupRequested(event->globalPosition().toPoint());
    }
}

}  // namespace kreslix
