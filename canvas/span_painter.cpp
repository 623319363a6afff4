#include "canvas/span_painter.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kreslix {

namespace {

void xorRun(QRgb* p, Int64 count, QRgb value) {
    for (Int64 i = 0; i < count; ++i)
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

void SpanPainter::paintSpan(Int64 y, Int64 first, Int64 last) {
    if (y < 0 || y >= height_)
        return;
    first = std::max<Int64>(first, 0);
    last = std::min<Int64>(last, width_ - 1);
    if (first > last || isNoOp())
        return;
    pending_[pendingCount_++] = {
        pixelAt(0, static_cast<int>(y)), static_cast<int>(y), first, last, value_, xor_};
    if (pendingCount_ == kBatch)
        flush();
}

void SpanPainter::flush() {
    QRgb touched = 0;
    for (int i = 0; i < pendingCount_; ++i)
        touched |= pending_[i].row[pending_[i].first];
    // Keeps the reads, whose only purpose is to reach the pages early.
    asm volatile("" : : "r"(touched));
    for (int i = 0; i < pendingCount_; ++i)
        apply(pending_[i]);
    pendingCount_ = 0;
}

void SpanPainter::apply(const PendingRun& run) {
    QRgb* row = run.row;
    Int64 first = run.first, last = run.last;
    if (run.isXor) {
        xorRun(row + first, last - first + 1, run.value);
    } else {
        // Only the pixels that differ count as changed; trim the run to them.
        while (first <= last && row[first] == run.value)
            ++first;
        while (last >= first && row[last] == run.value)
            --last;
        if (first > last)
            return;
        std::fill(row + first, row + last + 1, run.value);
    }
    noteChanged(static_cast<int>(first), run.y);
    noteChanged(static_cast<int>(last), run.y);
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
