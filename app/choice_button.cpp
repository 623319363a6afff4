#include "app/choice_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace kreslix {

ChoiceButton::ChoiceButton(const QString& name, const QString& hint, Glyph glyph, QWidget* parent)
    : GlyphButton(name, hint, std::move(glyph), parent) {
    setCheckable(true);
}

void ChoiceButton::choose() {
    if (guard_.check())
        click();
}

void ChoiceButton::paintEvent(QPaintEvent* event) {
    GlyphButton::paintEvent(event);
    if (!isChecked() && !hasFocus())
        return;
    QPainter painter(this);
    if (isChecked()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        // Inside the highlight frame; the narrow width buttons leave one pixel for it.
        const int inset = height() > 12 ? 2 : 1;
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

// The button goes down while Space is held and is chosen when it is let go, as a click is.
void ChoiceButton::keyPressEvent(QKeyEvent* event) {
    if (!isChoosingKey(event))
        return GlyphButton::keyPressEvent(event);
    if (!event->isAutoRepeat())
        setDown(true);
}

void ChoiceButton::keyReleaseEvent(QKeyEvent* event) {
    if (!isChoosingKey(event))
        return GlyphButton::keyReleaseEvent(event);
    if (event->isAutoRepeat() || !isDown())
        return;
    setDown(false);
    choose();
}

}  // namespace kreslix
