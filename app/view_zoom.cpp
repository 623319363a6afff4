#include "app/view_zoom.h"

#include <QNativeGestureEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "app/picture_view.h"

namespace kreslix {
namespace {

// One notch of a wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
// How far fingers spread (a natural logarithm of the scale) for one zoom step.
constexpr double kPinchStep = 0.3;

}  // namespace

ViewZoom::ViewZoom(QScrollArea* area, QWidget* holder, PictureView* view)
    : QObject(area), area_(area), holder_(holder), view_(view) {
    // A wheel turned over the picture reaches the viewport when the view leaves it; a pinch is
    // taken where it lands.
    area_->viewport()->installEventFilter(this);
    view_->installEventFilter(this);
}

void ViewZoom::zoomIn() {
    zoomAround(zoom_steps::moved(step_, 1), viewportCentre());
}

void ViewZoom::zoomOut() {
    zoomAround(zoom_steps::moved(step_, -1), viewportCentre());
}

void ViewZoom::actualSize() {
    zoomAround(zoom_steps::kActualSize, viewportCentre());
}

void ViewZoom::pictureReplaced() {
    setStep(zoom_steps::kActualSize);
    view_->fitPicture();
    fitHolder();
}

// Qt hands a wheel event on to the parents with its local position as the position in the window:
// only the global position holds.
QPointF ViewZoom::inWindow(QPointF globalPosition) const {
    return view_->window()->mapFromGlobal(globalPosition);
}

QPointF ViewZoom::viewportCentre() const {
    return QRectF(area_->viewport()->rect()).center();
}

void ViewZoom::fitHolder() {
    // The view sits one pixel from the holder's left edge.
    holder_->resize(view_->x() + view_->width(), view_->height());
}

void ViewZoom::setStep(int step) {
    const bool changed = step != step_;
    step_ = step;
    view_->setZoom(zoom_steps::scale(step));
    if (changed)
        emit zoomChanged(step);
}

void ViewZoom::zoomAround(int step, QPointF anchor) {
    if (step == step_)
        return;
    QScrollBar* bars[2] = {area_->horizontalScrollBar(), area_->verticalScrollBar()};
    const QPoint viewAt = view_->mapTo(area_->viewport(), QPoint(0, 0));
    const double before = view_->zoom();
    const QPointF picturePoint((anchor.x() - viewAt.x()) / before,
                               (anchor.y() - viewAt.y()) / before);
    setStep(step);
    fitHolder();
    const double after = view_->zoom();
    bars[0]->setValue(int(std::lround(view_->x() + picturePoint.x() * after - anchor.x())));
    bars[1]->setValue(int(std::lround(view_->y() + picturePoint.y() * after - anchor.y())));
}

void ViewZoom::zoomAtPointer(int step, QPointF scenePosition) {
    QWidget* viewport = area_->viewport();
    const QPoint viewportAt = viewport->mapTo(viewport->window(), QPoint(0, 0));
    const QPoint pointed = picturePixelAt(scenePosition, view_->pictureGeometry());
    zoomAround(step, scenePosition - QPointF(viewportAt));
    // The rounding of the scroll position may have moved the pixel by one: find the position
    // that keeps it under the pointer, where there is one.
    const double ratio = view_->devicePixelRatioF();
    QScrollBar* bars[2] = {area_->horizontalScrollBar(), area_->verticalScrollBar()};
    const double scene[2] = {scenePosition.x(), scenePosition.y()};
    const int target[2] = {pointed.x(), pointed.y()};
    const int inViewport[2] = {viewportAt.x() + view_->x(), viewportAt.y() + view_->y()};
    for (int axis = 0; axis < 2; ++axis) {
        const int device = devicePixelAt(scene[axis], ratio);
        auto shown = [&](int scroll) {
            return pictureColumnAt(device, ratio, inViewport[axis] - scroll, view_->zoom());
        };
        QScrollBar* bar = bars[axis];
        int scroll = bar->value();
        for (int tries = 0; tries < 4 && shown(scroll) != target[axis]; ++tries) {
            const int next = scroll + (shown(scroll) < target[axis] ? 1 : -1);
            if (next < bar->minimum() || next > bar->maximum())
                break;
            scroll = next;
        }
        bar->setValue(scroll);
    }
}

bool ViewZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return QObject::eventFilter(watched, event);
        wheelRest_ += wheel->angleDelta().y();
        const int notches = wheelRest_ / kWheelNotch;
        wheelRest_ -= notches * kWheelNotch;
        if (notches != 0)
            zoomAtPointer(zoom_steps::moved(step_, notches), inWindow(wheel->globalPosition()));
        return true;
    }
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::BeginNativeGesture)
            pinchRest_ = 0;
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return QObject::eventFilter(watched, event);
        pinchRest_ += std::log1p(gesture->value());
        const int steps = int(pinchRest_ / kPinchStep);
        pinchRest_ -= steps * kPinchStep;
        if (steps != 0)
            zoomAtPointer(zoom_steps::moved(step_, steps), inWindow(gesture->globalPosition()));
        gesture->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ScreenGridLeftOut::ScreenGridLeftOut(PictureView& view) : view_(view) {
    view_.setGridAllowed(false);
}

ScreenGridLeftOut::~ScreenGridLeftOut() {
    view_.setGridAllowed(true);
}

}  // namespace kreslix
