#include "app/glyph_button.h"

#include <QEvent>

namespace kreslix {

GlyphButton::GlyphButton(const QString& name, const QString& hint, Glyph glyph, QWidget* parent)
    : QToolButton(parent), glyph_(std::move(glyph)) {
    setObjectName(name);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    // Also its name for assistive technology, which takes it from the hint.
    setToolTip(hint);
    setIcon(glyph_(palette()));
}

void GlyphButton::changeEvent(QEvent* event) {
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        setIcon(glyph_(palette()));
}

}  // namespace kreslix
