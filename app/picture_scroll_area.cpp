#include "app/picture_scroll_area.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace kreslix {
namespace {

// Drawn over the view, above the picture, and let through by the mouse.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

}  // namespace

PictureScrollArea::PictureScrollArea(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollBox1"));
    setAccessibleName(QStringLiteral("Plocha obrázka"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::TabFocus);
    setWidgetResizable(false);
    focusFrame_ = new FocusFrame(viewport());
}

// The frame covers the edges of the picture, so it shows only while the user moves the focus
// with the keyboard, as focus frames do in Qt's styles: not when the focus lands here because
// the panel that held it was hidden from the menu.
void PictureScrollArea::focusInEvent(QFocusEvent* event) {
    QScrollArea::focusInEvent(event);
    // Back from a popup menu the focus is here still, and Qt says nothing of it; a screen reader
    // then knows only the window. Say that the focus is here again.
    if (event->reason() == Qt::PopupFocusReason && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    if (!window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    focusFrame_->resize(viewport()->size());
    focusFrame_->raise();
    focusFrame_->show();
}

void PictureScrollArea::focusOutEvent(QFocusEvent* event) {
    QScrollArea::focusOutEvent(event);
    focusFrame_->hide();
}

void PictureScrollArea::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        emit popupRequested(viewport()->mapToGlobal(QPoint(0, 0)));
        return;
    }
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        const bool home = event->key() == Qt::Key_Home;
        for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
            bar->setValue(home ? bar->minimum() : bar->maximum());
        return;
    }
    QScrollArea::keyPressEvent(event);
}

bool PictureScrollArea::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize)
        focusFrame_->resize(viewport()->size());
    return QScrollArea::viewportEvent(event);
}

}  // namespace kreslix
