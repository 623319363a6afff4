#include "app/glyph_ink.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace kreslix::glyphs {

GlyphInk inkOf(const QPalette& palette) {
    return {palette.color(QPalette::Active, QPalette::ButtonText),
            palette.color(QPalette::Active, QPalette::Base)};
}

QIcon drawnGlyph(QSize size, const QPalette& palette,
                 const std::function<void(QPainter&, const GlyphInk&)>& draw) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter, inkOf(palette));
    painter.end();
    // The disabled look is the style's own, made from this one.
    return QIcon(pixmap);
}

}  // namespace kreslix::glyphs
