#pragma once

#include "canvas/pen_brush.h"
#include "canvas/span_painter.h"

namespace kreslix {

// Rectangle, Ellipse and RoundRect as one figure: the box with corners (x1, y1) and (x2, y2) in
// either order, right and bottom edges exclusive, its corners rounded by quarter ellipses.
struct BoxFigure {
    int x1, y1, x2, y2;
    // The corner ellipse's full size in pixels; the inscribed ellipse uses half the box.
    Int64 cornerWidth = 0, cornerHeight = 0;
    bool inscribedEllipse = false;
};

// Draws the outline with the pen and, for a solid brush, the inside with the brush colour, both
// in the pen's mode. Outline and fill are disjoint, so every covered pixel changes once.
void drawBoxFigure(SpanPainter& painter, const BoxFigure& figure, const Pen& pen,
                   const Brush& brush);

}  // namespace kreslix
