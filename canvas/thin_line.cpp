#include "canvas/thin_line.h"

#include <cstdlib>

#include "canvas/parallel_paint.h"

namespace kreslix {

namespace {

using Int128 = __int128;

// A line seen along its major axis: step i (0 <= i < length) puts the major coordinate at
// majorStart + majorSign * i and the minor one at minorStart + minorSign * minorOffset(i), where
// minorOffset(i) = floor((2 * i * rise + length) / (2 * length)).
struct AxisLine {
    Int64 majorStart, minorStart;
    int majorSign, minorSign;
    Int64 length, rise;
    Int64 majorLimit, minorLimit;  // the picture's extent along each axis
};

// The steps whose major coordinate lies in [0, majorLimit).
void clipMajor(const AxisLine& l, Int64& first, Int64& last) {
    const Int64 lowBound = l.majorSign > 0 ? -l.majorStart : l.majorStart - l.majorLimit + 1;
    const Int64 highBound = l.majorSign > 0 ? l.majorLimit - 1 - l.majorStart : l.majorStart;
    first = std::max(first, lowBound);
    last = std::min(last, highBound);
}

// The steps whose minor coordinate lies in [0, minorLimit). The minor offset never decreases,
// so the steps form one range, found in closed form.
void clipMinor(const AxisLine& l, Int64& first, Int64& last) {
    const Int64 offsetLow = l.minorSign > 0 ? -l.minorStart : l.minorStart - l.minorLimit + 1;
    const Int64 offsetHigh = l.minorSign > 0 ? l.minorLimit - 1 - l.minorStart : l.minorStart;
    if (l.rise == 0) {
        if (offsetLow > 0 || offsetHigh < 0)
            last = first - 1;
        return;
    }
    const Int128 twiceLength = Int128(2) * l.length;
    const Int128 twiceRise = Int128(2) * l.rise;
    if (offsetHigh < 0) {
        last = first - 1;
        return;
    }
    if (offsetLow > 0) {
        // minorOffset(i) >= k  <=>  2 * i * rise >= 2 * length * k - length
        const Int128 firstStep = ceilDiv<Int128>(twiceLength * offsetLow - l.length, twiceRise);
        if (firstStep > first)
            first = firstStep > last ? last + 1 : static_cast<Int64>(firstStep);
    }
    const Int128 pastLast =
        ceilDiv<Int128>(twiceLength * (Int128(offsetHigh) + 1) - l.length, twiceRise);
    if (pastLast - 1 < last)
        last = pastLast - 1 < first ? first - 1 : static_cast<Int64>(pastLast - 1);
}

// Steps through the clipped range in memory, one pixel per step.
void plotSteps(SpanPainter& painter, const AxisLine& l, bool xMajor, Int64 first, Int64 last) {
    painter.flush();
    const Int128 numerator = Int128(2) * first * l.rise + l.length;
    const Int64 twiceLength = 2 * l.length;
    const Int64 twiceRise = 2 * l.rise;
    Int64 remainder = static_cast<Int64>(numerator % twiceLength);
    const Int64 offset = static_cast<Int64>(numerator / twiceLength);
    const int major = static_cast<int>(l.majorStart + l.majorSign * first);
    const int minor = static_cast<int>(l.minorStart + l.minorSign * offset);
    const int x = xMajor ? major : minor;
    const int y = xMajor ? minor : major;

    const qsizetype stride = painter.stridePixels();
    const qsizetype majorStep = l.majorSign * (xMajor ? 1 : stride);
    const qsizetype minorStep = l.minorSign * (xMajor ? stride : 1);
    const QRgb value = painter.value();
    QRgb* p = painter.pixelAt(x, y);
    const Int64 count = last - first + 1;
    Int64 firstChanged = -1, lastChanged = -1;
    if (painter.isXor()) {
        for (Int64 i = 0; i < count; ++i) {
            *p ^= value;
            remainder += twiceRise;
            if (remainder >= twiceLength) {
                remainder -= twiceLength;
                p += minorStep;
            }
            p += majorStep;
        }
        firstChanged = 0;
        lastChanged = count - 1;
    } else {
        for (Int64 i = 0; i < count; ++i) {
            if (*p != value) {
                *p = value;
                if (firstChanged < 0)
                    firstChanged = i;
                lastChanged = i;
            }
            remainder += twiceRise;
            if (remainder >= twiceLength) {
                remainder -= twiceLength;
                p += minorStep;
            }
            p += majorStep;
        }
    }
    // Both coordinates are monotone along the line, so the first and last changed pixels span
    // the box of all changed pixels.
    for (const Int64 step : {firstChanged, lastChanged}) {
        if (step < 0)
            continue;
        const Int128 n = Int128(2) * (first + step) * l.rise + l.length;
        const int mj = static_cast<int>(l.majorStart + l.majorSign * (first + step));
        const int mn = static_cast<int>(l.minorStart + l.minorSign * Int64(n / twiceLength));
        painter.noteChanged(xMajor ? mj : mn, xMajor ? mn : mj);
    }
}

}  // namespace

void drawThinLine(SpanPainter& painter, int x0, int y0, int x1, int y1) {
    const Int64 dx = Int64(x1) - x0;
    const Int64 dy = Int64(y1) - y0;
    if ((dx == 0 && dy == 0) || painter.isNoOp() || painter.width() == 0)
        return;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    AxisLine l{};
    l.majorStart = xMajor ? x0 : y0;
    l.minorStart = xMajor ? y0 : x0;
    const Int64 majorDelta = xMajor ? dx : dy;
    const Int64 minorDelta = xMajor ? dy : dx;
    l.majorSign = majorDelta < 0 ? -1 : 1;
    l.minorSign = minorDelta < 0 ? -1 : 1;
    l.length = std::llabs(majorDelta);
    l.rise = std::llabs(minorDelta);
    l.majorLimit = xMajor ? painter.width() : painter.height();
    l.minorLimit = xMajor ? painter.height() : painter.width();

    Int64 first = 0, last = l.length - 1;
    clipMajor(l, first, last);
    if (first > last)
        return;
    clipMinor(l, first, last);
    if (first > last)
        return;
    paintInParts(painter, first, last, kRowOverhead, [&](SpanPainter& part, Int64 from, Int64 to) {
        plotSteps(part, l, xMajor, from, to);
    });
}

}  // namespace kreslix
