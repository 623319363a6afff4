#include "canvas/wide_line.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "canvas/parallel_paint.h"
#include "canvas/wide_line_exact.h"

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

constexpr Real kInfinity = std::numeric_limits<Real>::infinity();

// An end of the band's row interval as a linear function of the row's distance from the start.
struct LinearEnd {
    Real atStart;
    Real slope;
    Real at(Real rowOffset) const { return atStart + slope * rowOffset; }
};

// The band swept by the disc's diameter along the segment from a to b:
// {p : 0 <= (p - a).d <= |d|^2, |(p - a) x d| < radius |d|} with d = b - a. On each row it is
// the interval between the larger low end and the smaller high end of the two conditions,
// both linear in the row, so a row costs a few multiplications.
struct Band {
    Real startX = 0, startY = 0;
    LinearEnd lows[2] = {{-kInfinity, 0}, {-kInfinity, 0}};
    LinearEnd highs[2] = {{kInfinity, 0}, {kInfinity, 0}};
    Real firstRowOffset = -kInfinity, lastRowOffset = kInfinity;

    Band(Real ax, Real ay, Real bx, Real by, Real radius) : startX(ax), startY(ay) {
        const Real dx = bx - ax, dy = by - ay;
        const Real lengthSquared = dx * dx + dy * dy;
        const Real reach = radius * std::sqrt(lengthSquared);
        if (dx != 0) {  // 0 <= (x - ax) dx + (y - ay) dy <= |d|^2
            setEnds(0, {0, -dy / dx}, {lengthSquared / dx, -dy / dx}, dx < 0);
        } else {
            firstRowOffset = std::min(Real(0), dy);
            lastRowOffset = std::max(Real(0), dy);
        }
        if (dy != 0) {  // |(x - ax) dy - (y - ay) dx| < radius |d|
            setEnds(1, {-reach / dy, dx / dy}, {reach / dy, dx / dy}, dy < 0);
        } else {
            firstRowOffset = std::nextafter(-radius, Real(0));
            lastRowOffset = std::nextafter(radius, Real(0));
        }
    }

    void setEnds(int i, LinearEnd low, LinearEnd high, bool swapped) {
        lows[i] = swapped ? high : low;
        highs[i] = swapped ? low : high;
    }

    void addTo(Interval& row, Real y) const {
        const Real offset = y - startY;
        if (offset < firstRowOffset || offset > lastRowOffset)
            return;
        row.unite(startX + std::max(lows[0].at(offset), lows[1].at(offset)),
                  startX + std::min(highs[0].at(offset), highs[1].at(offset)));
    }
};

void addDisc(Interval& row, Real cx, Real cy, Real radius, Real y) {
    const Real dy = y - cy;
    if (std::fabs(dy) >= radius)
        return;
    const Real half = std::sqrt(radius * radius - dy * dy);
    row.unite(cx - half, cx + half);
}

// The rows of the stroke worked out in long double. Any int coordinates and widths stay in range
// (doubled coordinates need 33 bits, their products 66), at the price of a few roundings.
void paintRowsReal(SpanPainter& part, const StrokeEnds& ends, Int64 from, Int64 to) {
    const Real radius = ends.radius;
    const Real ax = Real(ends.ax), ay = Real(ends.ay), bx = Real(ends.bx), by = Real(ends.by);
    const Band band(ax, ay, bx, by, radius);
    const Int64 limit = 2 * Int64(part.width()) + 4;
    for (Int64 y = from; y <= to; ++y) {
        const Real centre = Real(2 * y + 1);
        Interval row;
        addDisc(row, ax, ay, radius, centre);
        addDisc(row, bx, by, radius, centre);
        band.addTo(row, centre);
        if (!(row.low < row.high))
            continue;
        // Pixel x is covered when low < 2x + 1 < high.
        const Int64 low = clampedFloor(row.low, -4, limit);
        const Int64 high = clampedCeil(row.high, -4, limit);
        part.paintSpan(y, floorDiv<Int64>(low - 1, 2) + 1, ceilDiv<Int64>(high - 1, 2) - 1);
    }
}

}  // namespace

void drawWideLine(SpanPainter& painter, int x0, int y0, int x1, int y1, int width,
                  WideLineArithmetic arithmetic) {
    if ((x0 == x1 && y0 == y1) || painter.isNoOp() || painter.width() == 0)
        return;
    // Odd widths centre the stroke on pixel centres, even widths on pixel corners.
    const Int64 shift = (width % 2 != 0) ? 1 : 0;
    const StrokeEnds ends{2 * Int64(x0) + shift, 2 * Int64(y0) + shift, 2 * Int64(x1) + shift,
                          2 * Int64(y1) + shift, width};

    // Rows whose centre 2y + 1 lies strictly inside (min y - radius, max y + radius).
    const Int64 top = floorDiv<Int64>(std::min(ends.ay, ends.by) - width - 1, 2) + 1;
    const Int64 bottom = ceilDiv<Int64>(std::max(ends.ay, ends.by) + width - 1, 2) - 1;
    const Int64 firstRow = std::max<Int64>(top, 0);
    const Int64 lastRow = std::min<Int64>(bottom, painter.height() - 1);
    const bool exact =
        arithmetic == WideLineArithmetic::Automatic && fitsExactRows(ends, painter.height());
    const auto paintRows = [&](SpanPainter& part, Int64 from, Int64 to) {
        if (exact)
            paintRowsExact(part, ends, from, to);
        else
            paintRowsReal(part, ends, from, to);
    };
    // A row of a steep stroke covers about the pen width; of a flat one, up to the whole row.
    const Int64 slantRun = std::min<Int64>(
        std::llabs(ends.bx - ends.ax) / (std::llabs(ends.by - ends.ay) + 1) + 1, painter.width());
    const Int64 rowCost =
        std::min<Int64>(painter.width(), (slantRun + 1) * std::min<Int64>(width, painter.width()));
    paintInParts(painter, firstRow, lastRow, rowCost + kRowOverhead, paintRows);
}

}  // namespace kreslix
