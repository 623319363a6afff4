#include "canvas/span_painter.h"

#include <cstring>

namespace kreslix {

namespace {

// Four pixels per store (one SSE2 register on x86-64, a plain vector elsewhere).
using FourPixels = QRgb __attribute__((vector_size(16)));

void storeFour(QRgb* p, FourPixels v) {
    std::memcpy(p, &v, sizeof v);
}

FourPixels loadFour(const QRgb* p) {
    FourPixels v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// A row of a wide stroke is a few dozen pixels: four at a time, and a fill may store some of
// the last ones twice, which saves the one-by-one tail.
void fillRun(QRgb* p, Int64 count, QRgb value) {
    if (count < 4) {
        for (Int64 i = 0; i < count; ++i)
            p[i] = value;
        return;
    }
    const FourPixels v = {value, value, value, value};
    for (Int64 i = 0; i + 4 < count; i += 4)
        storeFour(p + i, v);
    storeFour(p + count - 4, v);
}

// Not-xor changes each pixel exactly once, so its tail goes one by one.
void xorRun(QRgb* p, Int64 count, QRgb value) {
    const FourPixels v = {value, value, value, value};
    Int64 i = 0;
    for (; i + 4 <= count; i += 4)
        storeFour(p + i, loadFour(p + i) ^ v);
    for (; i < count; ++i)
        p[i] ^= value;
}

}  // namespace

SpanPainter::SpanPainter(QImage* picture) : SpanPainter() {
    if (picture == nullptr || picture->isNull())
        return;
    width_ = picture->width();
    height_ = picture->height();
    bits_ = picture->bits();
    stride_ = picture->bytesPerLine();
}

SpanPainter SpanPainter::sibling() const {
    SpanPainter other;
    other.bits_ = bits_;
    other.stride_ = stride_;
    other.width_ = width_;
    other.height_ = height_;
    other.value_ = value_;
    other.xor_ = xor_;
    return other;
}

void SpanPainter::setColour(Colour colour, PenMode mode) {
    xor_ = (mode == pmNotXor);
    value_ = xor_ ? (~toPixel(colour) & 0x00FFFFFFu) : toPixel(colour);
}

void SpanPainter::flush() {
    // The changed box is gathered in locals: pixel stores may alias the members, which would
    // make the compiler store and reload them around every run.
    int minX = minX_, maxX = maxX_, minY = minY_, maxY = maxY_;
    for (int i = 0; i < pendingCount_; ++i) {
        const PendingRun& run = pending_[i];
        QRgb* row = run.row;
        int first = run.first, last = run.last;
        if (run.isXor) {
            xorRun(row + first, last - first + 1, run.value);
        } else {
            // Only the pixels that differ count as changed; trim the run to them.
            while (first <= last && row[first] == run.value)
                ++first;
            while (last >= first && row[last] == run.value)
                --last;
            if (first > last)
                continue;
            fillRun(row + first, last - first + 1, run.value);
        }
        minX = std::min(minX, first);
        maxX = std::max(maxX, last);
        minY = std::min(minY, run.y);
        maxY = std::max(maxY, run.y);
    }
    minX_ = minX;
    maxX_ = maxX;
    minY_ = minY;
    maxY_ = maxY;
    pendingCount_ = 0;
}

void SpanPainter::copyRun(Int64 y, Int64 first, const QRgb* values, Int64 count) {
    flush();
    QRgb* row = pixelAt(static_cast<int>(first), static_cast<int>(y));
    Int64 begin = 0, end = count;
    while (begin < end && row[begin] == values[begin])
        ++begin;
    while (end > begin && row[end - 1] == values[end - 1])
        --end;
    if (begin == end)
        return;
    std::copy(values + begin, values + end, row + begin);
    noteChanged(static_cast<int>(first + begin), static_cast<int>(y));
    noteChanged(static_cast<int>(first + end - 1), static_cast<int>(y));
}

QRect SpanPainter::changedRect() {
    flush();
    if (minX_ > maxX_)
        return {};
    return QRect(QPoint(minX_, minY_), QPoint(maxX_, maxY_));
}

}  // namespace kreslix
