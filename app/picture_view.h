#pragma once

#include <QWidget>

namespace kreslix {

// `Image`: shows the picture at its own size and turns mouse input into the window's three
// mouse events. A left press captures the mouse until the left release, so moves and the
// releases of every button arrive from anywhere meanwhile, with coordinates outside the picture.
// Other buttons don't capture: their moves and releases count only over the visible picture.
// Every position is the picture pixel shown under the mouse, at any device pixel ratio.
// Assistive technology sees an image named by its size.
class PictureView : public QWidget {
    Q_OBJECT

public:
    PictureView(const QImage* image, QWidget* parent);

    // Takes the size of the picture (after another bitmap became the picture).
    void fitPicture();
    // Some pixels changed: repaint only them.
    void pictureChanged(const QRect& rect) { update(rect); }

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

    const QImage* image_;
    bool leftCaptured_ = false;
};

}  // namespace kreslix
