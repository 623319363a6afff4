#pragma once

#include <QtGlobal>

namespace kreslix::bmp {

enum Compression : quint32 {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

inline constexpr qint64 kFileHeaderBytes = 14;
inline constexpr qint64 kInfoHeaderBytes = 40;
// The file header, the longest info header, masks and the largest colour table: every byte the
// headers are read from lies within this many bytes of the start of the file.
inline constexpr qint64 kLongestHeadBytes = kFileHeaderBytes + 124 + 16 + 256 * 4;

// Everything the headers of a bitmap file say about its pixels, checked against the file size.
struct BmpLayout {
    qint64 width = 0;
    qint64 height = 0;     // always positive or zero
    bool topDown = false;  // rows stored top row first (a negative height in the file)
    int bitsPerPixel = 0;
    quint32 compression = kRgb;
    quint32 redMask = 0;  // for 16 and 32 bits per pixel: the defaults when none are given
    quint32 greenMask = 0;
    quint32 blueMask = 0;
    qint64 tableOffset = 0;  // the colour table: where it starts, entries, bytes per entry
    int tableEntries = 0;
    int tableEntryBytes = 4;
    qint64 pixelOffset = 0;  // the pixel data, from the file header
    qint64 rowBytes = 0;     // one stored row with its padding (uncompressed rows)
};

// Parses and checks the file header, the info header, the colour masks and the place of the
// colour table and pixel data. Throws KreslixError "Bitmap image is not valid" for headers that
// can't describe a picture and "Stream read error" when the file ends before the data they
// describe (uncompressed pixel rows included; compressed data is checked while it is decoded).
// head holds the first min(fileSize, kLongestHeadBytes) bytes of the file, or more of it.
BmpLayout parseBmpLayout(const uchar* head, qint64 fileSize);

}  // namespace kreslix::bmp
