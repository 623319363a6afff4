#include "app/picture_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "app/picture_render.h"

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
    if (image_->width() > 0 && image_->height() > 0) {
        resize(int(std::ceil(image_->width() * zoom_)), int(std::ceil(image_->height() * zoom_)));
    }
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

QSize PictureView::pictureSize() const {
    return image_->size();
}

void PictureView::setZoom(double zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    fitPicture();
}

void PictureView::setGridAllowed(bool allowed) {
    gridAllowed_ = allowed;
}

PictureGeometry PictureView::pictureGeometry() const {
    return {mapTo(window(), QPoint(0, 0)), devicePixelRatioF(), zoom_};
}

QRect PictureView::viewRect(const QRect& rect) const {
    const double ratio = devicePixelRatioF();
    if (zoom_ == 1.0 && ratio == 1.0)
        return rect;
    const QRect shown(
        QPoint(int(std::floor(rect.left() * zoom_)), int(std::floor(rect.top() * zoom_))),
        QPoint(int(std::ceil((rect.right() + 1) * zoom_)) - 1,
               int(std::ceil((rect.bottom() + 1) * zoom_)) - 1));
    // A screen pixel that shows picture pixels beside the changed ones, or that Qt's rounding of
    // the area to device pixels leaves out, may lie partly outside.
    const bool exact = zoom_ >= 1.0 && ratio == std::floor(ratio);
    return exact ? shown : shown.adjusted(-1, -1, 1, 1);
}

void PictureView::pictureChanged(const QRect& rect) {
    update(viewRect(rect));
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    if (zoom_ == 1.0 && ratio == 1.0) {
        // The picture at its own size on a plain screen: a straight copy.
        const QRect area = event->rect();
        const QRect inPicture = area & image_->rect();
        if (!inPicture.isEmpty())
            painter.drawImage(inPicture.topLeft(), *image_, inPicture);
        // Where the control is larger than an empty picture, show the scroll area's background.
        const QRegion rest = QRegion(area) - inPicture;
        for (const QRect& r : rest)
            painter.fillRect(r, palette().window());
        return;
    }
    // Elsewhere each device pixel of the window is worked out here, through the mapping the mouse
    // uses, and copied one to one.
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    const PictureRenderer renderer(*image_, pictureGeometry());
    const QRgb background = palette().window().color().rgb();
    const bool grid = gridAllowed_ && zoom_ >= 8.0;
    for (const QRect& r : event->region()) {
        const QRectF inWindow = QRectF(r).translated(origin);
        const QRect device(QPoint(int(std::floor(inWindow.left() * ratio)),
                                  int(std::floor(inWindow.top() * ratio))),
                           QPoint(int(std::ceil(inWindow.right() * ratio)) - 1,
                                  int(std::ceil(inWindow.bottom() * ratio)) - 1));
        const QImage shown = renderer.render(device, background, grid);
        const QRectF target(device.x() / ratio - origin.x(), device.y() / ratio - origin.y(),
                            device.width() / ratio, device.height() / ratio);
        painter.drawImage(target, shown);
    }
}

bool PictureView::overPicture(QPoint pos) const {
    return visibleRegion().contains(pos);
}

QPoint PictureView::pictureAt(const QMouseEvent& event) const {
    return picturePixelAt(event.scenePosition(), pictureGeometry());
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
