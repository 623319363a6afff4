#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <array>
#include <climits>

#include "canvas/colour.h"
#include "canvas/int_math.h"
#include "canvas/pen_brush.h"

namespace kreslix {

// Applies one colour in one pen mode to runs of pixels of a picture row, and keeps the bounding
// box of the pixels whose value really changed. Copy mode writes the colour; not-xor XORs the
// pixel with the complement of the colour over the 24 colour bits, so applying it twice
// restores the pixel.
class SpanPainter {
public:
    // Throws KreslixError, having changed nothing, when a picture that shares its pixels can't
    // be given a copy of its own.
    explicit SpanPainter(QImage* picture);
    // A painter of its own over the same pixels with the same colour, nothing changed yet; used
    // by another thread for rows this one leaves alone.
    SpanPainter sibling() const;

    int width() const { return width_; }
    int height() const { return height_; }

    void setColour(Colour colour, PenMode mode);

    // Pixels first..last (inclusive) of row y, clipped to the picture. Runs are gathered in
    // batches and applied together: working out a figure's rows and writing their pixels, each
    // in a tight loop of its own, is faster than taking turns row by row (a stroke's rows each
    // meet a new page of memory). The runs of one operation are disjoint, so the order does not
    // matter.
    void paintSpan(Int64 y, Int64 first, Int64 last) {
        if (y < 0 || y >= height_ || isNoOp())
            return;
        first = std::max<Int64>(first, 0);
        last = std::min<Int64>(last, width_ - 1);
        if (first > last)
            return;
        pending_[pendingCount_++] = {pixelAt(0, static_cast<int>(y)),
                                     static_cast<int>(y),
                                     static_cast<int>(first),
                                     static_cast<int>(last),
                                     value_,
                                     xor_};
        if (pendingCount_ == kBatch)
            flush();
    }
    // Applies the runs still pending.
    void flush();
    void paintPixel(int x, int y) { paintSpan(y, x, x); }
    // Writes count ready-made pixels to row y from column first on (all inside the picture).
    // `streaming` is for copies far larger than the caches: their stores then bypass the caches
    // rather than read every destination line in before overwriting it.
    void copyRun(Int64 y, Int64 first, const QRgb* values, Int64 count, bool streaming = false);
    // Copies rows top..bottom whole from `source`, starting at its row `sourceTop`, when both
    // pictures hold exactly those pixels back to back (same width, no padding, no horizontal
    // offset): then one copy of the whole block. False, having done nothing, otherwise.
    bool copyWholeRows(Int64 top, Int64 bottom, const QImage& source, int sourceTop, Int64 first,
                       Int64 dx, Int64 count);

    // The bounding box of the pixels changed so far (pending runs applied); empty when none.
    QRect changedRect();
    void noteChanged(int x, int y) {
        minX_ = std::min(minX_, x);
        maxX_ = std::max(maxX_, x);
        minY_ = std::min(minY_, y);
        maxY_ = std::max(maxY_, y);
    }
    void noteChanged(const QRect& r) {
        if (r.isEmpty())
            return;
        noteChanged(r.left(), r.top());
        noteChanged(r.right(), r.bottom());
    }

    // Raw access for the line loops, which step through memory themselves.
    QRgb* pixelAt(int x, int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_) + x; }
    qsizetype stridePixels() const { return stride_ / static_cast<qsizetype>(sizeof(QRgb)); }
    bool isXor() const { return xor_; }
    QRgb value() const { return value_; }
    // Whether painting changes anything at all (not-xor with white changes nothing).
    bool isNoOp() const { return xor_ && value_ == 0; }

private:
    SpanPainter() : minX_(INT_MAX), maxX_(INT_MIN), minY_(INT_MAX), maxY_(INT_MIN) {}

    // A run waiting to be applied, clipped to the picture.
    struct PendingRun {
        QRgb* row;
        int y;
        int first, last;
        QRgb value;
        bool isXor;
    };
    // Long enough that a stroke's rows are worked out in long stretches; 2 KB.
    static constexpr int kBatch = 64;

    PendingRun pending_[kBatch];
    int pendingCount_ = 0;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    QRgb value_ = 0;
    bool xor_ = false;
    int minX_, maxX_, minY_, maxY_;
};

}  // namespace kreslix
