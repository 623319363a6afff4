#pragma once

#include <QScrollArea>

namespace kreslix {

// `ScrollBox1`: the scrolling area around the picture. The Tab key gives it the focus (a click on
// the picture leaves the focus where it is); it then scrolls with the arrow keys, Page Up and
// Page Down, Home (the top-left corner) and End (the bottom-right corner), and, when the focus
// came by the keyboard, shows that it has it by a frame in the palette's highlight colour over
// the edges of its view. The Menu key and Shift+F10 ask for the picture's popup menu, as a right
// click on the picture does.
class PictureScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit PictureScrollArea(QWidget* parent);

signals:
    // The popup menu from the keyboard, to open at the view's top-left corner.
    void popupRequested(QPoint globalPos);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QWidget* focusFrame_;
};

}  // namespace kreslix
