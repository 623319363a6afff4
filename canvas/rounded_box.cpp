#include "canvas/rounded_box.h"

#include <cmath>

namespace kreslix {

namespace {

using Real = long double;

// How far row y reaches into the shape's outline, as an interval of doubled x; false when the
// row misses the shape.
bool rowExtent(const RoundedBox& box, Real y, Real& low, Real& high) {
    if (box.open ? (y <= box.top || y >= box.bottom) : (y < box.top || y > box.bottom)) {
        return false;
    }
    const Real intoCorner =
        std::max({box.top + box.insetY - y, y - (box.bottom - box.insetY), Real(0)});
    low = box.left;
    high = box.right;
    if (intoCorner > 0 && box.radiusY > 0) {
        const Real ratio = intoCorner / box.radiusY;
        if (box.open ? ratio >= 1 : ratio > 1)
            return false;
        const Real half = box.radiusX * std::sqrt(1 - ratio * ratio);
        low = std::max(low, box.left + box.insetX - half);
        high = std::min(high, box.right - box.insetX + half);
    }
    return box.open ? low < high : low <= high;
}

}  // namespace

ColumnRun columnsInRow(const RoundedBox& box, Int64 y, int width) {
    Real low = 0, high = 0;
    if (!rowExtent(box, Real(2 * y + 1), low, high))
        return {};
    const Int64 limit = 2 * Int64(width) + 4;
    ColumnRun run;
    if (box.open) {
        // low < 2x + 1 < high
        run.first = floorDiv<Int64>(clampedFloor(low, -4, limit) - 1, 2) + 1;
        run.last = ceilDiv<Int64>(clampedCeil(high, -4, limit) - 1, 2) - 1;
    } else {
        // low <= 2x + 1 <= high
        run.first = ceilDiv<Int64>(clampedCeil(low, -4, limit) - 1, 2);
        run.last = floorDiv<Int64>(clampedFloor(high, -4, limit) - 1, 2);
    }
    run.first = std::max<Int64>(run.first, -1);
    run.last = std::min<Int64>(run.last, width);
    return run;
}

}  // namespace kreslix
