#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>
#include <functional>

class QPainter;
class QPalette;

namespace kreslix::glyphs {

// The colours of a glyph's lines and of the paper it shows, taken from the palette of the button
// that shows it: the lines keep their contrast against the button in light, dark and
// high-contrast themes. Other colours of a glyph (a yellow pencil, a pink eraser) are its own.
struct GlyphInk {
    QColor ink;    // lines and outlines: the button's text colour
    QColor paper;  // sheets of paper and the inside of boxes: the palette's base colour
};

GlyphInk inkOf(const QPalette& palette);

// A glyph of `size` pixels drawn in the palette's ink on a transparent ground.
QIcon drawnGlyph(QSize size, const QPalette& palette,
                 const std::function<void(QPainter&, const GlyphInk&)>& draw);

}  // namespace kreslix::glyphs
