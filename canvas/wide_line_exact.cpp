#include "canvas/wide_line_exact.h"

#include <cmath>

namespace kreslix {

namespace {

// Coordinates, radius and row centres up to this size keep every product below 2^60.
constexpr Int64 kExactLimit = Int64(1) << 28;
// Stands for "no bound" on one side of a row.
constexpr Int64 kFar = Int64(1) << 61;

// floor(low / denominator) and floor(high / denominator) for two numerators that grow by the
// same step from row to row (denominator > 0): one division each to start, then only additions
// and comparisons per row. The two ends of a row's interval share their step and denominator,
// so they share the stepping constants too.
class FloorPair {
public:
    FloorPair(Int64 low, Int64 high, Int64 step, Int64 denominator)
        : low_(floorDiv(low, denominator)),
          high_(floorDiv(high, denominator)),
          lowRemainder_(low - low_ * denominator),
          highRemainder_(high - high_ * denominator),
          denominator_(denominator),
          stepQuotient_(floorDiv(step, denominator)),
          stepRemainder_(step - stepQuotient_ * denominator) {}

    static FloorPair constant(Int64 low, Int64 high) { return FloorPair(low, high, 0, 1); }
    // ceil(low / denominator) as the floor of a shifted numerator, and floor(high / denominator).
    static FloorPair ceilingAndFloor(Int64 low, Int64 high, Int64 step, Int64 denominator) {
        return FloorPair(low + denominator - 1, high, step, denominator);
    }

    Int64 low() const { return low_; }
    Int64 high() const { return high_; }
    void advance() {
        low_ += stepQuotient_;
        high_ += stepQuotient_;
        lowRemainder_ += stepRemainder_;
        highRemainder_ += stepRemainder_;
        if (lowRemainder_ >= denominator_) {
            lowRemainder_ -= denominator_;
            ++low_;
        }
        if (highRemainder_ >= denominator_) {
            highRemainder_ -= denominator_;
            ++high_;
        }
    }

private:
    Int64 low_, high_, lowRemainder_, highRemainder_, denominator_, stepQuotient_, stepRemainder_;
};

// The largest s with s * s <= n, for 0 <= n < 2^62.
Int64 squareRootFloor(Int64 n) {
    Int64 s = static_cast<Int64>(std::sqrt(static_cast<double>(n)));
    while (s * s > n)
        --s;
    while ((s + 1) * (s + 1) <= n)
        ++s;
    return s;
}

// The same for 0 <= n < 2^120.
Int64 squareRootFloor(__int128 n) {
    Int64 s = static_cast<Int64>(std::sqrt(static_cast<long double>(n)));
    while (__int128(s) * s > n)
        --s;
    while (__int128(s + 1) * (s + 1) <= n)
        ++s;
    return s;
}

// The largest integer below radius |d|: the cross condition's half-width, times |d|.
Int64 crossReach(Int64 dx, Int64 dy, Int64 radius) {
    return squareRootFloor(__int128(radius) * radius * (__int128(dx) * dx + __int128(dy) * dy) - 1);
}

// The cross condition's bounds on the row `row`, for dy > 0.
FloorPair crossPair(Int64 ax, Int64 ay, Int64 dx, Int64 dy, Int64 radius, Int64 row) {
    const Int64 reach = crossReach(dx, dy, radius);
    const Int64 centre = ax * dy + (2 * row + 1 - ay) * dx;
    return FloorPair::ceilingAndFloor(centre - reach, centre + reach, 2 * dx, dy);
}

// The band {p : 0 <= (p - a).d <= |d|^2, |(p - a) x d| < radius |d|} with d = b - a, with a
// and b ordered so that d points down (or right, for a level line). On the row with centre Y
// its odd X lie in [max(low), min(high)]: the cross condition gives
// |X dy - (ax dy + (Y - ay) dx)| <= K with K the largest integer below radius |d|, and the
// projection condition bounds X by (Y - ay) dy / dx; all four bounds are rationals whose
// numerators grow by a fixed step per row.
struct ExactBand {
    FloorPair cross = FloorPair::constant(-kFar, kFar);
    FloorPair along = FloorPair::constant(-kFar, kFar);
    Int64 firstRow = -kFar, lastRow = kFar;

    ExactBand(Int64 ax, Int64 ay, Int64 bx, Int64 by, Int64 radius, Int64 row) {
        const Int64 dx = bx - ax, dy = by - ay;
        const Int64 offset = 2 * row + 1 - ay;
        if (dy == 0) {  // |Y - ay| < radius, ax <= X <= bx
            firstRow = ceilDiv<Int64>(ay - radius, 2);
            lastRow = floorDiv<Int64>(ay + radius - 2, 2);
            cross = FloorPair::constant(ax, bx);
            return;
        }
        cross = crossPair(ax, ay, dx, dy, radius, row);
        const Int64 lengthSquared = dx * dx + dy * dy;
        if (dx > 0) {  // ax dx - (Y - ay) dy <= X dx <= ax dx - (Y - ay) dy + |d|^2
            const Int64 start = ax * dx - offset * dy;
            along = FloorPair::ceilingAndFloor(start, start + lengthSquared, -2 * dy, dx);
        } else if (dx < 0) {  // the same divided by dx < 0, which swaps the two sides
            const Int64 start = -ax * dx + offset * dy;
            along = FloorPair::ceilingAndFloor(start - lengthSquared, start, 2 * dy, -dx);
        } else {  // ay <= Y <= by
            firstRow = ceilDiv<Int64>(ay - 1, 2);
            lastRow = floorDiv<Int64>(by - 1, 2);
        }
    }

    void advance() {
        cross.advance();
        along.advance();
    }
};

// The rows whose centre Y = 2y + 1 lies strictly within radius of cy: those the disc around
// (cx, cy) reaches.
struct DiscRows {
    Int64 first, last;
    DiscRows(Int64 cy, Int64 radius)
        : first(floorDiv<Int64>(cy - radius - 1, 2) + 1),
          last(ceilDiv<Int64>(cy + radius - 1, 2) - 1) {}
    bool contains(Int64 y) const { return y >= first && y <= last; }
};

// Adds the odd X with (X - cx)^2 + (Y - cy)^2 < radius^2 to [low, high].
void addDisc(Int64& low, Int64& high, Int64 cx, Int64 cy, Int64 radius, Int64 y) {
    const Int64 dy = y - cy;
    if (dy <= -radius || dy >= radius)
        return;
    const Int64 half = squareRootFloor(radius * radius - dy * dy - 1);
    low = std::min(low, cx - half);
    high = std::max(high, cx + half);
}

void paintGeneralRows(SpanPainter& painter, Int64 ax, Int64 ay, Int64 bx, Int64 by, Int64 radius,
                      Int64 from, Int64 to) {
    if (from > to)
        return;
    ExactBand band(ax, ay, bx, by, radius, from);
    const DiscRows nearA(ay, radius), nearB(by, radius);
    for (Int64 y = from; y <= to; ++y, band.advance()) {
        Int64 low = kFar, high = -kFar;
        if (y >= band.firstRow && y <= band.lastRow) {
            low = std::max(band.cross.low(), band.along.low());
            high = std::min(band.cross.high(), band.along.high());
            if (low > high) {
                low = kFar;
                high = -kFar;
            }
        }
        if (nearA.contains(y) || nearB.contains(y)) {
            const Int64 centre = 2 * y + 1;
            addDisc(low, high, ax, ay, radius, centre);
            addDisc(low, high, bx, by, radius, centre);
        }
        // Pixel x is covered when low <= 2x + 1 <= high.
        if (low <= high)
            painter.paintSpan(y, low >> 1, (high - 1) >> 1);
    }
}

void paintCrossRows(SpanPainter& painter, Int64 ax, Int64 ay, Int64 dx, Int64 dy, Int64 radius,
                    Int64 from, Int64 to) {
    FloorPair cross = crossPair(ax, ay, dx, dy, radius, from);
    for (Int64 y = from; y <= to; ++y, cross.advance()) {
        if (cross.low() <= cross.high())
            painter.paintSpan(y, cross.low() >> 1, (cross.high() - 1) >> 1);
    }
}

}  // namespace

bool fitsExactRows(const StrokeEnds& ends, Int64 pictureHeight) {
    const auto fits = [](Int64 v) { return v >= -kExactLimit && v <= kExactLimit; };
    return fits(ends.ax) && fits(ends.ay) && fits(ends.bx) && fits(ends.by) && fits(ends.radius) &&
           fits(2 * pictureHeight + 1);
}

void paintRowsExact(SpanPainter& painter, const StrokeEnds& ends, Int64 from, Int64 to) {
    // The stroke is symmetric in its ends: order them so that the band's direction points down.
    const bool swap = ends.by < ends.ay || (ends.by == ends.ay && ends.bx < ends.ax);
    const Int64 ax = swap ? ends.bx : ends.ax, ay = swap ? ends.by : ends.ay;
    const Int64 bx = swap ? ends.ax : ends.bx, by = swap ? ends.ay : ends.by;
    const Int64 radius = ends.radius;
    // Most rows of a long stroke lie between the rows its ends' discs reach. There the band's
    // projection bounds never bind: on a row at least a radius from an end's centre, the points
    // within the radius of the axis all project between the ends. So those rows are one run
    // between the cross bounds, worked out with a fraction of the general rows' state.
    const Int64 middleFirst = std::max(from, DiscRows(ay, radius).last + 1);
    const Int64 middleLast = std::min(to, DiscRows(by, radius).first - 1);
    if (middleFirst > middleLast) {
        paintGeneralRows(painter, ax, ay, bx, by, radius, from, to);
        return;
    }
    paintGeneralRows(painter, ax, ay, bx, by, radius, from, middleFirst - 1);
    paintCrossRows(painter, ax, ay, bx - ax, by - ay, radius, middleFirst, middleLast);
    paintGeneralRows(painter, ax, ay, bx, by, radius, middleLast + 1, to);
}

}  // namespace kreslix
