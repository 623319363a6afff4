#include "canvas/span_painter.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "canvas/picture_memory.h"

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

void streamCopy(QRgb* to, const QRgb* from, Int64 count) {
#if defined(__SSE2__)
    for (; count > 0 && (reinterpret_cast<std::uintptr_t>(to) & 15) != 0; --count)
        *to++ = *from++;
    for (; count >= 4; count -= 4, to += 4, from += 4) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
    }
    _mm_sfence();
#endif
    std::copy(from, from + count, to);
}

}  // namespace

SpanPainter::SpanPainter(QImage* picture) : SpanPainter() {
    if (picture == nullptr || picture->isNull())
        return;
    makePictureWritable(*picture);
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

// How many runs ahead flush asks for a run's first pixels. A stroke's rows lie a page or more
// apart, and reaching each one waits on the memory; asked for early, several are on their way
// at once.
constexpr int kAhead = 8;

void SpanPainter::flush() {
    // The changed box is gathered in locals: pixel stores may alias the members, which would
    // make the compiler store and reload them around every run.
    int minX = minX_, maxX = maxX_, minY = minY_, maxY = maxY_;
    for (int i = 0; i < pendingCount_; ++i) {
        if (i + kAhead < pendingCount_) {
            const PendingRun& later = pending_[i + kAhead];
            __builtin_prefetch(later.row + later.first, 1);
        }
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

void SpanPainter::copyRun(Int64 y, Int64 first, const QRgb* values, Int64 count, bool streaming) {
    flush();
    QRgb* row = pixelAt(static_cast<int>(first), static_cast<int>(y));
    Int64 begin = 0, end = count;
    while (begin < end && row[begin] == values[begin])
        ++begin;
    while (end > begin && row[end - 1] == values[end - 1])
        --end;
    if (begin == end)
        return;
    if (streaming) {
        streamCopy(row + begin, values + begin, end - begin);
    } else {
        std::copy(values + begin, values + end, row + begin);
    }
    noteChanged(static_cast<int>(first + begin), static_cast<int>(y));
    noteChanged(static_cast<int>(first + end - 1), static_cast<int>(y));
}

bool SpanPainter::copyWholeRows(Int64 top, Int64 bottom, const QImage& source, int sourceTop,
                                Int64 first, Int64 dx, Int64 count) {
    const qsizetype rowBytes = qsizetype(count) * qsizetype(sizeof(QRgb));
    if (first != 0 || dx != 0 || count != width_ || source.width() != width_ ||
        stride_ != rowBytes || source.bytesPerLine() != rowBytes) {
        return false;
    }
    flush();
    // One copy of the whole block lets the C library choose its fastest way for large copies,
    // storing round the caches.
    std::memmove(pixelAt(0, int(top)), source.constScanLine(sourceTop),
                 size_t(rowBytes) * size_t(bottom - top + 1));
    noteChanged(0, int(top));
    noteChanged(width_ - 1, int(bottom));
    return true;
}

QRect SpanPainter::changedRect() {
    flush();
    if (minX_ > maxX_)
        return {};
    return QRect(QPoint(minX_, minY_), QPoint(maxX_, maxY_));
}

}  // namespace kreslix
