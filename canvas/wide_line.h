#pragma once

#include "canvas/span_painter.h"

namespace kreslix {

// A line drawn with a pen `width` pixels wide (width >= 2): every pixel whose centre is closer
// than width / 2 to the segment, which gives round ends. Nothing for zero length.
void drawWideLine(SpanPainter& painter, int x0, int y0, int x1, int y1, int width);

}  // namespace kreslix
