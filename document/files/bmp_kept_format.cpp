#include "document/files/bmp_kept_format.h"

#include <algorithm>
#include <cstring>

#include "document/files/bmp_bytes.h"
#include "document/files/bmp_colour_masks.h"

namespace kreslix::bmp {

namespace {

bool hasDuplicateColours(const std::vector<quint32>& table) {
    std::vector<quint32> colours;
    colours.reserve(table.size());
    for (quint32 entry : table)
        colours.push_back(entry & 0xFFFFFF);
    std::sort(colours.begin(), colours.end());
    return std::adjacent_find(colours.begin(), colours.end()) != colours.end();
}

PixelPlane copyIndices(const StoredRows& rows, int width, int bitsPerPixel) {
    PixelPlane plane(width, rows.height, bitsPerPixel);
    for (int y = 0; y < rows.height; ++y) {
        std::memcpy(plane.row(y), rows.row(y), size_t(plane.rowBytes()));
    }
    return plane;
}

// The smallest entry width of a plane that holds values up to max.
int entryBitsFor(quint32 max) {
    for (int bits : {1, 2, 4, 8, 16}) {
        if (max < (1u << bits))
            return bits;
    }
    return 32;
}

PixelPlane copySpareBits(const StoredRows& rows, int width, int bitsPerPixel, quint32 spareMask,
                         int shift) {
    PixelPlane plane(width, rows.height, entryBitsFor(spareMask >> shift));
    for (int y = 0; y < rows.height; ++y) {
        const uchar* src = rows.row(y);
        uchar* dst = plane.row(y);
        for (int x = 0; x < width; ++x) {
            const quint32 pixel = packedEntry(src, x, bitsPerPixel);
            setPackedEntry(dst, x, plane.bitsPerEntry(), (pixel & spareMask) >> shift);
        }
    }
    return plane;
}

}  // namespace

std::shared_ptr<const StoredBmpFormat> keepIndexedFormat(const StoredRows& rows, int width,
                                                         int bitsPerPixel,
                                                         const std::vector<quint32>& table,
                                                         int largestIndex) {
    auto format = std::make_shared<StoredBmpFormat>();
    format->bitsPerPixel = bitsPerPixel;
    format->colourTable = table;
    if (largestIndex >= int(table.size()) || hasDuplicateColours(table)) {
        format->indices = copyIndices(rows, width, bitsPerPixel);
    }
    return format;
}

std::shared_ptr<const StoredBmpFormat> keepMaskedFormat(const StoredRows& rows, int width,
                                                        int bitsPerPixel, bool bitFields,
                                                        const std::array<quint32, 3>& masks,
                                                        quint32 spareSeen) {
    auto format = std::make_shared<StoredBmpFormat>();
    format->bitsPerPixel = bitsPerPixel;
    format->bitFields = bitFields;
    format->redMask = masks[0];
    format->greenMask = masks[1];
    format->blueMask = masks[2];
    const quint32 depthBits = bitsPerPixel == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    format->spareMask = depthBits & ~(masks[0] | masks[1] | masks[2]);
    format->spareShift = lowestBit(format->spareMask);
    if (spareSeen != 0) {
        format->spareBits =
            copySpareBits(rows, width, bitsPerPixel, format->spareMask, format->spareShift);
    }
    return format;
}

}  // namespace kreslix::bmp
