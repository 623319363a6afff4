#include "canvas/wide_line.h"

#include <cmath>
#include <limits>

namespace kreslix {

namespace {

using Real = long double;

// An open interval of doubled x coordinates; empty when low >= high.
struct Interval {
    Real low = std::numeric_limits<Real>::infinity();
    Real high = -std::numeric_limits<Real>::infinity();

    void unite(Real l, Real h) {
        if (l >= h)
            return;
        low = std::min(low, l);
        high = std::max(high, h);
    }
};

// The segment and radius in doubled coordinates.
struct Capsule {
    Real ax, ay, bx, by;
    Real radius;
};

void addDisc(Interval& row, Real cx, Real cy, Real radius, Real y) {
    const Real dy = y - cy;
    if (std::fabs(dy) >= radius)
        return;
    const Real half = std::sqrt(radius * radius - dy * dy);
    row.unite(cx - half, cx + half);
}

// Where row y meets {p : 0 <= (p - a).d <= |d|^2, |(p - a) x d| < radius |d|}, the band swept
// by the disc's diameter along the segment.
void addBand(Interval& row, const Capsule& c, Real y) {
    const Real dx = c.bx - c.ax, dy = c.by - c.ay;
    const Real lengthSquared = dx * dx + dy * dy;
    const Real reach = c.radius * std::sqrt(lengthSquared);
    const Real along = (y - c.ay) * dy;   // the y part of (p - a).d
    const Real across = (y - c.ay) * dx;  // minus the y part of (p - a) x d
    Real low = -std::numeric_limits<Real>::infinity();
    Real high = std::numeric_limits<Real>::infinity();
    if (dx != 0) {
        Real t0 = -along / dx, t1 = (lengthSquared - along) / dx;
        if (t0 > t1)
            std::swap(t0, t1);
        low = std::max(low, t0);
        high = std::min(high, t1);
    } else if (along < 0 || along > lengthSquared) {
        return;
    }
    if (dy != 0) {
        Real t0 = (across - reach) / dy, t1 = (across + reach) / dy;
        if (t0 > t1)
            std::swap(t0, t1);
        low = std::max(low, t0);
        high = std::min(high, t1);
    } else if (std::fabs(across) >= reach) {
        return;
    }
    row.unite(c.ax + low, c.ax + high);
}

}  // namespace

void drawWideLine(SpanPainter& painter, int x0, int y0, int x1, int y1, int width) {
    if ((x0 == x1 && y0 == y1) || painter.isNoOp() || painter.width() == 0)
        return;
    // Odd widths centre the stroke on pixel centres, even widths on pixel corners.
    const Int64 shift = (width % 2 != 0) ? 1 : 0;
    const Int64 ax = 2 * Int64(x0) + shift, ay = 2 * Int64(y0) + shift;
    const Int64 bx = 2 * Int64(x1) + shift, by = 2 * Int64(y1) + shift;
    const Capsule capsule{Real(ax), Real(ay), Real(bx), Real(by), Real(width)};

    // Rows whose centre 2y + 1 lies strictly inside (min y - radius, max y + radius).
    const Int64 top = floorDiv<Int64>(std::min(ay, by) - width - 1, 2) + 1;
    const Int64 bottom = ceilDiv<Int64>(std::max(ay, by) + width - 1, 2) - 1;
    const Int64 firstRow = std::max<Int64>(top, 0);
    const Int64 lastRow = std::min<Int64>(bottom, painter.height() - 1);
    const Int64 limit = 2 * Int64(painter.width()) + 4;
    for (Int64 y = firstRow; y <= lastRow; ++y) {
        const Real centre = Real(2 * y + 1);
        Interval row;
        addDisc(row, capsule.ax, capsule.ay, capsule.radius, centre);
        addDisc(row, capsule.bx, capsule.by, capsule.radius, centre);
        addBand(row, capsule, centre);
        if (!(row.low < row.high))
            continue;
        // Pixel x is covered when low < 2x + 1 < high.
        const Int64 low = clampToInt64(std::floor(row.low), -4, limit);
        const Int64 high = clampToInt64(std::ceil(row.high), -4, limit);
        painter.paintSpan(y, floorDiv<Int64>(low - 1, 2) + 1, ceilDiv<Int64>(high - 1, 2) - 1);
    }
}

}  // namespace kreslix
