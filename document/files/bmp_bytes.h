#pragma once

#include <QtGlobal>

namespace kreslix::bmp {

// Every number in a bitmap file is little-endian; these read and write them from byte buffers
// without alignment assumptions.
inline quint16 readU16(const uchar* p) {
    return quint16(p[0] | (p[1] << 8));
}

inline quint32 readU32(const uchar* p) {
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

inline qint32 readI32(const uchar* p) {
    return qint32(readU32(p));
}

inline void writeU16(uchar* p, quint16 value) {
    p[0] = uchar(value);
    p[1] = uchar(value >> 8);
}

inline void writeU32(uchar* p, quint32 value) {
    p[0] = uchar(value);
    p[1] = uchar(value >> 8);
    p[2] = uchar(value >> 16);
    p[3] = uchar(value >> 24);
}

// Bytes of one stored row: width pixels of bitsPerPixel bits, padded to a multiple of 4 bytes.
// The caller keeps width below 2^31, so the 64-bit result cannot overflow.
inline qint64 paddedRowBytes(qint64 width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// Bytes that hold the pixels of one row, without the padding.
inline qint64 packedRowBytes(qint64 width, int bitsPerPixel) {
    return (width * bitsPerPixel + 7) / 8;
}

// Entry x of a row packed with bits bits per entry (1, 2, 4, 8, 16 or 32), most significant
// bits first within a byte as in bitmap rows.
inline quint32 packedEntry(const uchar* row, qint64 x, int bits) {
    switch (bits) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1u;
        case 2:
            return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3u;
        case 4:
            return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u;
        case 8:
            return row[x];
        case 16:
            return readU16(row + 2 * x);
        default:
            return readU32(row + 4 * x);
    }
}

// Sets entry x of a packed row; for entries under 8 bits the row's other bits are kept.
inline void setPackedEntry(uchar* row, qint64 x, int bits, quint32 value) {
    if (bits >= 8) {
        if (bits == 8)
            row[x] = uchar(value);
        if (bits == 16)
            writeU16(row + 2 * x, quint16(value));
        if (bits == 32)
            writeU32(row + 4 * x, value);
        return;
    }
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (1 + int(x % perByte));
    const uint mask = ((1u << bits) - 1) << shift;
    uchar& byte = row[x / perByte];
    byte = uchar((byte & ~mask) | ((value << shift) & mask));
}

}  // namespace kreslix::bmp
