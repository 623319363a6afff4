#pragma once

#include "canvas/span_painter.h"

namespace kreslix {

// The one-pixel line from (x0, y0) to (x1, y1): the start pixel drawn, the end pixel excluded,
// nothing for zero length. The major axis advances one pixel per step; the minor coordinate is
// the exact value rounded half away from the start.
void drawThinLine(SpanPainter& painter, int x0, int y0, int x1, int y1);

}  // namespace kreslix
