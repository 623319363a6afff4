#pragma once

#include <QtGlobal>
#include <memory>

#include "canvas/picture_memory.h"

#include "document/files/bmp_headers.h"
#include "document/files/read_progress.h"

namespace kreslix::bmp {

// Expands RLE8 or RLE4 pixel data into uncompressed rows of the same depth, in the stored row
// order, each layout.rowBytes long. Pixels the data never sets (skipped by a delta or an end of
// line, or left by an early end of bitmap) keep index 0, the first colour of the table; runs that
// reach past the picture are clipped. Throws "Stream read error" when the data ends before its
// end-of-bitmap mark and before the last row is reached.
// Each row reached is a step of `progress` (the first stage of a read's progress).
// The rows are fresh zeroed pages that the expansion touches only where it writes: a huge picture
// of a few runs costs no time before its rows are decoded.
std::unique_ptr<LargeBuffer> expandRle(const uchar* data, qint64 size, const BmpLayout& layout,
                                       ReadProgress* progress = nullptr);

}  // namespace kreslix::bmp
