#pragma once

#include <QImage>

#include "canvas/pen_brush.h"
#include "canvas/span_painter.h"

namespace kreslix {

// A rectangle of pixels that may lie anywhere in the int range: its size can exceed an int.
struct Block {
    Int64 left = 0, top = 0, width = 0, height = 0;

    static Block fromRect(const QRect& r) {
        return {r.left(), r.top(), Int64(r.right()) - r.left() + 1,
                Int64(r.bottom()) - r.top() + 1};
    }
};

// Copies the block `from` of `source` (Format_RGB32) onto the block `to` of the painter's
// picture, stretching by nearest pixel centres when the sizes differ. Destination pixels whose
// source pixel lies outside `source` are left alone. Whiteness paints the whole destination
// block white instead.
void copyBlock(SpanPainter& painter, const QImage& source, const Block& from, const Block& to,
               CopyMode mode);

}  // namespace kreslix
