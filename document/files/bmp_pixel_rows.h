#pragma once

#include <QImage>
#include <QtGlobal>
#include <array>

namespace kreslix::bmp {

// Uncompressed pixel rows as stored: padded rows, bottom row first unless top-down.
struct StoredRows {
    const uchar* data = nullptr;
    qint64 rowBytes = 0;
    int height = 0;
    bool topDown = false;

    // The stored row that holds picture row y (0 is the top).
    const uchar* row(int y) const { return data + rowBytes * (topDown ? y : height - 1 - y); }
};

// Colour of each index; indices beyond the file's colour table read black.
using IndexColours = std::array<QRgb, 256>;

// Decodes 1-, 2-, 4- or 8-bit rows through the colours into the image and returns the largest
// index met.
int decodeIndexedRows(const StoredRows& rows, int bitsPerPixel, const IndexColours& colours,
                      QImage& image);

void decode24BitRows(const StoredRows& rows, QImage& image);

// Decodes 24-bit stored rows first .. first + count - 1 (numbered in file order), held one after
// another at band, into their picture rows; rows.data is not used. Reading a file a band at a
// time decodes exactly as decode24BitRows does with the whole file in memory.
void decode24BitBand(const StoredRows& rows, const uchar* band, int first, int count,
                     QImage& image);

// Decodes 16- or 32-bit rows with the masks and returns the union of the bits the pixels had
// outside them.
quint32 decodeMaskedRows(const StoredRows& rows, int bitsPerPixel,
                         const std::array<quint32, 3>& masks, QImage& image);

}  // namespace kreslix::bmp
