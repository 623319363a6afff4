#pragma once

#include <QByteArray>
#include <QtGlobal>

#include "document/files/bmp_headers.h"

namespace kreslix::bmp {

// Expands RLE8 or RLE4 pixel data into uncompressed rows of the same depth, in the stored row
// order, each layout.rowBytes long. Pixels the data never sets (skipped by a delta or an end of
// line, or left by an early end of bitmap) keep index 0, the first colour of the table; runs that
// reach past the picture are clipped. Throws "Stream read error" when the data ends before its
// end-of-bitmap mark and before the last row is reached.
QByteArray expandRle(const uchar* data, qint64 size, const BmpLayout& layout);

}  // namespace kreslix::bmp
