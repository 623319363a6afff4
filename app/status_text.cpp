#include "app/status_text.h"

#include <QAccessible>
#include <QPainter>

namespace kreslix {

StatusText::StatusText(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setContentsMargins(2, 0, 2, 0);
}

void StatusText::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    update(contentsRect());
    // The text is the panel's accessible name: a screen reader speaks the new one.
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QSize StatusText::sizeHint() const {
    // The text's length never changes the panel's size: the bar gives it a width of its own.
    const QMargins margins = contentsMargins();
    return QSize(margins.left() + margins.right() + 2 * frameWidth(),
                 fontMetrics().height() + margins.top() + margins.bottom() + 2 * frameWidth());
}

void StatusText::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setClipRect(contentsRect());
    // One line, left and vertically centred, drawn at its baseline: the simplest of the text
    // paths, with no layout of lines to work out.
    const QRect area = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(area.left(), baseline), text_);
}

}  // namespace kreslix
