#pragma once

#include <QIcon>

namespace kreslix::glyphs {

// The tool panel's pictures, drawn here.
QIcon toolLine();
QIcon toolPencil();
QIcon toolRectangle();
QIcon toolEllipse();
QIcon toolRoundRect();
QIcon toolEraser();
QIcon toolSpray();
QIcon toolBrush();
QIcon toolColourPicker();
// A horizontal stroke `width` pixels thick, for the width buttons (31 × 7).
QIcon widthStroke(int width);
// A filled or an outlined box, for the fill toggles (32 × 16).
QIcon fillStyle(bool filled);

}  // namespace kreslix::glyphs
