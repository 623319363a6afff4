#pragma once

#include <QWidget>

#include "app/picture_pixel.h"

namespace kreslix {

// `Image`: shows the picture at the view's zoom and turns mouse input into the window's three
// mouse events. A left press captures the mouse until the left release, so moves and the
// releases of every button arrive from anywhere meanwhile, with coordinates outside the picture.
// Other buttons don't capture: their moves and releases count only over the visible picture.
// Every position is the picture pixel shown under the mouse, at any device pixel ratio and zoom.
// Assistive technology sees an image named by its size.
class PictureView : public QWidget {
    Q_OBJECT

public:
    PictureView(const QImage* image, QWidget* parent);

    // Takes the size of the picture at the zoom (after another bitmap became the picture).
    void fitPicture();
    // Some pixels changed: repaint only the part of the view that shows them.
    void pictureChanged(const QRect& rect);

    // The view's scale: 1 shows the picture at its own size. A view setting only.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The grid shown from 800 % up belongs to the screen: an image of the window made for
    // printing leaves it out.
    void setGridAllowed(bool allowed);
    // Where the picture lies on the screen, for mapping between the two.
    PictureGeometry pictureGeometry() const;

    QSize pictureSize() const;
    // A left press holds a stroke open until the left release.
    bool leftButtonHeld() const { return leftCaptured_; }

signals:
    void pressed(Qt::MouseButton button, QPoint pos);
    void moved(QPoint pos);
    void released(Qt::MouseButton button, QPoint pos);
    // A right release over the picture, after `released`: the popup menu's turn.
    void popupRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The picture pixel shown under the event's position.
    QPoint pictureAt(const QMouseEvent& event) const;
    bool overPicture(QPoint pos) const;

    // The view's area showing `rect` of the picture.
    QRect viewRect(const QRect& rect) const;

    const QImage* image_;
    bool leftCaptured_ = false;
    double zoom_ = 1.0;
    bool gridAllowed_ = true;
};

}  // namespace kreslix
