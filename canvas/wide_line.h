#pragma once

#include "canvas/span_painter.h"

namespace kreslix {

// How the rows of a wide line are worked out. Automatic uses exact 64-bit integer arithmetic
// whenever every quantity of the line fits, and long double otherwise; LongDouble always takes
// the long double path, so the two can be compared.
enum class WideLineArithmetic { Automatic, LongDouble };

// A line drawn with a pen `width` pixels wide (width >= 2): every pixel whose centre is closer
// than width / 2 to the segment, which gives round ends. Nothing for zero length.
void drawWideLine(SpanPainter& painter, int x0, int y0, int x1, int y1, int width,
                  WideLineArithmetic arithmetic = WideLineArithmetic::Automatic);

}  // namespace kreslix
