#pragma once

#include "canvas/span_painter.h"

namespace kreslix {

// The two ends of a wide stroke in doubled coordinates (the centre of pixel x is 2x + 1) and the
// pen's radius in the same units, which is the pen width.
struct StrokeEnds {
    Int64 ax, ay, bx, by;
    Int64 radius;
};

// Whether every quantity the exact rows need fits in 64 bits for these ends on a picture this
// many rows high.
bool fitsExactRows(const StrokeEnds& ends, Int64 pictureHeight);

// Paints rows from..to of the stroke in exact integer arithmetic (fitsExactRows must hold):
// pixel x of row y is covered when the distance from (2x + 1, 2y + 1) to the segment is less
// than the radius.
void paintRowsExact(SpanPainter& painter, const StrokeEnds& ends, Int64 from, Int64 to);

}  // namespace kreslix
