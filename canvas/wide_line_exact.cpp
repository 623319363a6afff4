#include "canvas/wide_line_exact.h"

#include <cmath>

namespace kreslix {

namespace {

// Coordinates, radius and row centres up to this size keep every product below 2^60.
constexpr Int64 kExactLimit = Int64(1) << 28;
// Stands for "no bound" on one side of a row.
constexpr Int64 kFar = Int64(1) << 61;

// floor(numerator / denominator) for a numerator that grows by step from row to row
// (denominator > 0): one division to start, then only additions and a comparison per row.
class FloorStepper {
public:
    FloorStepper(Int64 numerator, Int64 step, Int64 denominator)
        : quotient_(floorDiv(numerator, denominator)),
          remainder_(numerator - quotient_ * denominator),
          denominator_(denominator),
          stepQuotient_(floorDiv(step, denominator)),
          stepRemainder_(step - stepQuotient_ * denominator) {}

    static FloorStepper constant(Int64 value) { return FloorStepper(value, 0, 1); }
    // ceil(numerator / denominator) as the floor of a shifted numerator.
    static FloorStepper ceiling(Int64 numerator, Int64 step, Int64 denominator) {
        return FloorStepper(numerator + denominator - 1, step, denominator);
    }

    Int64 value() const { return quotient_; }
    void advance() {
        quotient_ += stepQuotient_;
        remainder_ += stepRemainder_;
        if (remainder_ >= denominator_) {
            remainder_ -= denominator_;
            ++quotient_;
        }
    }

private:
    Int64 quotient_, remainder_, denominator_, stepQuotient_, stepRemainder_;
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

// The band {p : 0 <= (p - a).d <= |d|^2, |(p - a) x d| < radius |d|} with d = b - a, with a
// and b ordered so that d points down (or right, for a level line). On the row with centre Y
// its odd X lie in [max(low), min(high)]: the cross condition gives
// |X dy - (ax dy + (Y - ay) dx)| <= K with K the largest integer below radius |d|, and the
// projection condition bounds X by (Y - ay) dy / dx; all four bounds are rationals whose
// numerators grow by a fixed step per row.
struct ExactBand {
    FloorStepper lows[2] = {FloorStepper::constant(-kFar), FloorStepper::constant(-kFar)};
    FloorStepper highs[2] = {FloorStepper::constant(kFar), FloorStepper::constant(kFar)};
    Int64 firstRow = -kFar, lastRow = kFar;

    ExactBand(Int64 ax, Int64 ay, Int64 bx, Int64 by, Int64 radius, Int64 row) {
        const Int64 dx = bx - ax, dy = by - ay;
        const Int64 offset = 2 * row + 1 - ay;
        if (dy == 0) {  // |Y - ay| < radius, ax <= X <= bx
            firstRow = ceilDiv<Int64>(ay - radius, 2);
            lastRow = floorDiv<Int64>(ay + radius - 2, 2);
            lows[0] = FloorStepper::constant(ax);
            highs[0] = FloorStepper::constant(bx);
            return;
        }
        const Int64 reach = squareRootFloor(
            __int128(radius) * radius * (__int128(dx) * dx + __int128(dy) * dy) - 1);
        const Int64 centre = ax * dy + offset * dx;
        lows[0] = FloorStepper::ceiling(centre - reach, 2 * dx, dy);
        highs[0] = FloorStepper(centre + reach, 2 * dx, dy);
        const Int64 lengthSquared = dx * dx + dy * dy;
        if (dx > 0) {  // ax dx - (Y - ay) dy <= X dx <= ax dx - (Y - ay) dy + |d|^2
            const Int64 start = ax * dx - offset * dy;
            lows[1] = FloorStepper::ceiling(start, -2 * dy, dx);
            highs[1] = FloorStepper(start + lengthSquared, -2 * dy, dx);
        } else if (dx < 0) {  // the same divided by dx < 0, which swaps the two sides
            const Int64 start = -ax * dx + offset * dy;
            lows[1] = FloorStepper::ceiling(start - lengthSquared, 2 * dy, -dx);
            highs[1] = FloorStepper(start, 2 * dy, -dx);
        } else {  // ay <= Y <= by
            firstRow = ceilDiv<Int64>(ay - 1, 2);
            lastRow = floorDiv<Int64>(by - 1, 2);
        }
    }

    void advance() {
        lows[0].advance();
        lows[1].advance();
        highs[0].advance();
        highs[1].advance();
    }
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
    ExactBand band(ax, ay, bx, by, radius, from);
    for (Int64 y = from; y <= to; ++y, band.advance()) {
        Int64 low = kFar, high = -kFar;
        if (y >= band.firstRow && y <= band.lastRow) {
            low = std::max(band.lows[0].value(), band.lows[1].value());
            high = std::min(band.highs[0].value(), band.highs[1].value());
            if (low > high) {
                low = kFar;
                high = -kFar;
            }
        }
        const Int64 centre = 2 * y + 1;
        addDisc(low, high, ax, ay, radius, centre);
        addDisc(low, high, bx, by, radius, centre);
        // Pixel x is covered when low <= 2x + 1 <= high.
        if (low <= high)
            painter.paintSpan(y, low >> 1, (high - 1) >> 1);
    }
}

}  // namespace kreslix
