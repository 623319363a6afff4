#pragma once

#include <QIcon>

class QPalette;

namespace kreslix::glyphs {

// The tool panel's pictures, drawn here; their lines take the palette's button text colour.
QIcon toolLine(const QPalette& palette);
QIcon toolPencil(const QPalette& palette);
QIcon toolRectangle(const QPalette& palette);
QIcon toolEllipse(const QPalette& palette);
QIcon toolRoundRect(const QPalette& palette);
QIcon toolEraser(const QPalette& palette);
QIcon toolSpray(const QPalette& palette);
QIcon toolBrush(const QPalette& palette);
QIcon toolColourPicker(const QPalette& palette);
// A horizontal stroke `width` pixels thick, for the width buttons (31 × 7).
QIcon widthStroke(int width, const QPalette& palette);
// A filled or an outlined box, for the fill toggles (32 × 16).
QIcon fillStyle(bool filled, const QPalette& palette);

}  // namespace kreslix::glyphs
