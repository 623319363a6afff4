#pragma once

#include "canvas/int_math.h"

namespace kreslix {

// A box whose corners are quarters of an ellipse, in doubled coordinates. The corner ellipses
// are centred `inset` in from the box edges and have semi-axes `radius`; a radius larger than
// the inset lets the ellipse bulge to the box edge, the box still bounding the shape. The
// rectangle (inset 0) and the inscribed ellipse (inset half the box) are special cases.
struct RoundedBox {
    long double left = 0, right = -1, top = 0, bottom = -1;
    long double insetX = 0, insetY = 0;
    long double radiusX = 0, radiusY = 0;
    bool open = false;  // whether points on the boundary are outside
};

// A run of pixel columns, empty when first > last.
struct ColumnRun {
    Int64 first = 0;
    Int64 last = -1;
    bool empty() const { return first > last; }
};

// The columns of pixel row y whose centres lie in the shape, limited to [-1, width] (enough to
// tell, for every pixel of the picture, whether its neighbours are in the shape).
ColumnRun columnsInRow(const RoundedBox& box, Int64 y, int width);

}  // namespace kreslix
