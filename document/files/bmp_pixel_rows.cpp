#include "document/files/bmp_pixel_rows.h"

#include <vector>

#include "document/files/bmp_bytes.h"
#include "document/files/bmp_colour_masks.h"

namespace kreslix::bmp {

namespace {

QRgb* imageRow(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

int decode8BitRow(const uchar* src, int width, const IndexColours& colours, QRgb* dst) {
    uchar largest = 0;
    for (int x = 0; x < width; ++x) {
        dst[x] = colours[src[x]];
        largest = qMax(largest, src[x]);
    }
    return largest;
}

int decodeSmallIndexRow(const uchar* src, int width, int bits, const IndexColours& colours,
                        QRgb* dst) {
    const uint mask = (1u << bits) - 1;
    uint largest = 0;
    int x = 0;
    for (int i = 0; x < width; ++i) {
        const uint byte = src[i];
        for (int shift = 8 - bits; shift >= 0 && x < width; shift -= bits, ++x) {
            const uint index = (byte >> shift) & mask;
            dst[x] = colours[index];
            largest = qMax(largest, index);
        }
    }
    return int(largest);
}

// 16-bit pixels: a picture of more pixels than there are values reads them through one table
// of all 65536 values; a smaller one reads its channels pixel by pixel.
quint32 decode16BitRows(const StoredRows& rows, const std::array<quint32, 3>& masks,
                        QImage& image) {
    const int width = image.width();
    const qint64 pixels = qint64(width) * rows.height;
    const MaskedChannel red(masks[0], pixels), green(masks[1], pixels), blue(masks[2], pixels);
    const auto colourOf = [&](quint32 value) {
        return qRgb(red.read(value), green.read(value), blue.read(value));
    };
    std::vector<QRgb> colours;
    if (pixels >= 0x10000) {
        colours.resize(0x10000);
        for (quint32 value = 0; value < 0x10000; ++value)
            colours[value] = colourOf(value);
    }
    const quint32 colourBits = masks[0] | masks[1] | masks[2];
    quint32 seen = 0;
    for (int y = 0; y < rows.height; ++y) {
        const uchar* src = rows.row(y);
        QRgb* dst = imageRow(image, y);
        for (int x = 0; x < width; ++x) {
            const quint16 value = readU16(src + 2 * x);
            dst[x] = colours.empty() ? colourOf(value) : colours[value];
            seen |= value;
        }
    }
    return seen & ~colourBits & 0xFFFF;
}

quint32 decode32BitRows(const StoredRows& rows, const std::array<quint32, 3>& masks,
                        QImage& image) {
    const quint32 colourBits = masks[0] | masks[1] | masks[2];
    const bool plain = masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
    const int width = image.width();
    const qint64 pixels = qint64(width) * rows.height;
    const MaskedChannel red(masks[0], pixels), green(masks[1], pixels), blue(masks[2], pixels);
    quint32 seen = 0;
    for (int y = 0; y < rows.height; ++y) {
        const uchar* src = rows.row(y);
        QRgb* dst = imageRow(image, y);
        if (plain) {
            for (int x = 0; x < width; ++x) {
                const quint32 value = readU32(src + 4 * x);
                dst[x] = value | 0xFF000000u;
                seen |= value;
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const quint32 value = readU32(src + 4 * x);
            dst[x] = qRgb(red.read(value), green.read(value), blue.read(value));
            seen |= value;
        }
    }
    return seen & ~colourBits;
}

// Four pixels are three whole 32-bit words of blue-green-red bytes.
void decode24BitRow(const uchar* src, int width, QRgb* dst) {
    constexpr quint32 kOpaque = 0xFF000000u;
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
        const quint32 a = readU32(src), b = readU32(src + 4), c = readU32(src + 8);
        dst[x] = kOpaque | a;
        dst[x + 1] = kOpaque | (a >> 24) | (b << 8);
        dst[x + 2] = kOpaque | (b >> 16) | (c << 16);
        dst[x + 3] = kOpaque | (c >> 8);
    }
    for (; x < width; ++x, src += 3) {
        dst[x] = kOpaque | (quint32(src[2]) << 16) | (quint32(src[1]) << 8) | src[0];
    }
}

}  // namespace

int decodeIndexedRows(const StoredRows& rows, int bitsPerPixel, const IndexColours& colours,
                      QImage& image) {
    const int width = image.width();
    int largest = 0;
    for (int y = 0; y < rows.height; ++y) {
        const uchar* src = rows.row(y);
        QRgb* dst = imageRow(image, y);
        const int rowLargest = bitsPerPixel == 8
                                   ? decode8BitRow(src, width, colours, dst)
                                   : decodeSmallIndexRow(src, width, bitsPerPixel, colours, dst);
        largest = qMax(largest, rowLargest);
    }
    return largest;
}

void decode24BitRows(const StoredRows& rows, QImage& image) {
    decode24BitBand(rows, rows.data, 0, rows.height, image);
}

void decode24BitBand(const StoredRows& rows, const uchar* band, int first, int count,
                     QImage& image) {
    const int width = image.width();
    for (int stored = first; stored < first + count; ++stored, band += rows.rowBytes) {
        const int y = rows.topDown ? stored : rows.height - 1 - stored;
        decode24BitRow(band, width, imageRow(image, y));
    }
}

quint32 decodeMaskedRows(const StoredRows& rows, int bitsPerPixel,
                         const std::array<quint32, 3>& masks, QImage& image) {
    return bitsPerPixel == 16 ? decode16BitRows(rows, masks, image)
                              : decode32BitRows(rows, masks, image);
}

}  // namespace kreslix::bmp
