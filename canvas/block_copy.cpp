#include "canvas/block_copy.h"

#include <vector>

namespace kreslix {

namespace {

using Int128 = __int128;

// The source coordinate whose pixel centre is nearest to destination coordinate d's centre.
Int64 sourceCoordinate(Int64 d, Int64 toStart, Int64 toLength, Int64 fromStart, Int64 fromLength) {
    const Int128 scaled = (Int128(d - toStart) * 2 + 1) * fromLength;
    return fromStart + static_cast<Int64>(scaled / (Int128(2) * toLength));
}

struct Range {
    Int64 first, last;
};

// The destination coordinates of [start, start + length) inside [0, limit).
Range clipRange(Int64 start, Int64 length, Int64 limit) {
    return {std::max<Int64>(start, 0), std::min<Int64>(start + length, limit) - 1};
}

// A copy this large does not fit the caches, so its stores go round them.
constexpr Int64 kStreamingBytes = Int64(8) << 20;

// Without stretching, each destination row takes one run of a source row as it stands.
void copyUnstretched(SpanPainter& painter, const QImage& source, const Block& from, const Block& to,
                     const Range& rows, const Range& columns) {
    const Int64 dx = from.left - to.left;
    const Int64 dy = from.top - to.top;
    const Int64 first = std::max<Int64>(columns.first, -dx);
    const Int64 last = std::min<Int64>(columns.last, Int64(source.width()) - 1 - dx);
    if (first > last)
        return;
    const Int64 top = std::max<Int64>(rows.first, -dy);
    const Int64 bottom = std::min<Int64>(rows.last, Int64(source.height()) - 1 - dy);
    const Int64 count = last - first + 1;
    const bool streaming = (bottom - top + 1) * count * Int64(sizeof(QRgb)) > kStreamingBytes;
    if (streaming && painter.copyWholeRows(top, bottom, source, int(top + dy), first, dx, count))
        return;
    for (Int64 y = top; y <= bottom; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(int(y + dy)));
        painter.copyRun(y, first, line + (first + dx), count, streaming);
    }
}

}  // namespace

void copyBlock(SpanPainter& painter, const QImage& source, const Block& from, const Block& to,
               CopyMode mode) {
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    const Range rows = clipRange(to.top, to.height, painter.height());
    const Range columns = clipRange(to.left, to.width, painter.width());
    if (rows.first > rows.last || columns.first > columns.last)
        return;
    if (mode == cmWhiteness) {
        painter.setColour(kWhite, pmCopy);
        for (Int64 y = rows.first; y <= rows.last; ++y) {
            painter.paintSpan(y, columns.first, columns.last);
        }
        return;
    }
    if (from.width == to.width && from.height == to.height) {
        copyUnstretched(painter, source, from, to, rows, columns);
        return;
    }
    // Which source column each destination column takes; the valid ones form one run.
    std::vector<int> sourceColumns;
    Int64 firstValid = -1;
    for (Int64 x = columns.first; x <= columns.last; ++x) {
        const Int64 sx = sourceCoordinate(x, to.left, to.width, from.left, from.width);
        if (sx < 0 || sx >= source.width())
            continue;
        if (firstValid < 0)
            firstValid = x;
        sourceColumns.push_back(static_cast<int>(sx));
    }
    if (sourceColumns.empty())
        return;
    std::vector<QRgb> row(sourceColumns.size());
    for (Int64 y = rows.first; y <= rows.last; ++y) {
        const Int64 sy = sourceCoordinate(y, to.top, to.height, from.top, from.height);
        if (sy < 0 || sy >= source.height())
            continue;
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(int(sy)));
        for (std::size_t i = 0; i < sourceColumns.size(); ++i)
            row[i] = line[sourceColumns[i]];
        painter.copyRun(y, firstValid, row.data(), Int64(row.size()));
    }
}

}  // namespace kreslix
