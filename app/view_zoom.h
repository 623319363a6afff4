#pragma once

#include <QObject>
#include <QPointF>

#include "app/zoom_steps.h"

class QScrollArea;

namespace kreslix {

class PictureView;

// The zoom of the picture area, a view setting only: the picture, drawing and files never see
// it. The keys zoom around the centre of what is shown; Ctrl+wheel and a touchpad pinch zoom
// around the pointer, keeping the picture pixel under it there. Zooming resizes the view inside
// the scroll area, so the scroll bars follow the zoomed size.
class ViewZoom : public QObject {
    Q_OBJECT

public:
    // `holder` is the scroll area's widget, holding the view.
    ViewZoom(QScrollArea* area, QWidget* holder, PictureView* view);

    int step() const { return step_; }

    void zoomIn();
    void zoomOut();
    void actualSize();
    // Another picture came: it starts at 100 % from its top-left corner.
    void pictureReplaced();

signals:
    void zoomChanged(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Zooms to `step`, the picture point shown at `anchor` (in the viewport) staying there.
    void zoomAround(int step, QPointF anchor);
    // As zoomAround, and the picture pixel under the pointer (at `scenePosition`, in the window)
    // stays under it.
    void zoomAtPointer(int step, QPointF scenePosition);
    void setStep(int step);
    void fitHolder();
    QPointF viewportCentre() const;
    QPointF inWindow(QPointF globalPosition) const;

    QScrollArea* area_;
    QWidget* holder_;
    PictureView* view_;
    int step_ = zoom_steps::kActualSize;
    int wheelRest_ = 0;
    double pinchRest_ = 0;
};

// While it lives, images made of the window leave out the grid that belongs to the screen.
class ScreenGridLeftOut {
public:
    explicit ScreenGridLeftOut(PictureView& view);
    ~ScreenGridLeftOut();
    ScreenGridLeftOut(const ScreenGridLeftOut&) = delete;
    ScreenGridLeftOut& operator=(const ScreenGridLeftOut&) = delete;

private:
    PictureView& view_;
};

}  // namespace kreslix
