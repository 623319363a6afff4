#pragma once

#include <QByteArray>
#include <QtEndian>

// Tiny files that describe huge pictures, as an attacker (or a broken program) would make them:
// each takes seconds of decoding while the file itself is a few kilobytes.
namespace kreslix::testing {

namespace crafted {

inline void put16(QByteArray& out, int value) {
    out.append(char(value >> 8)).append(char(value & 0xFF));
}

inline void putLittle(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

}  // namespace crafted

// A grey progressive JPEG of width × height whose scans (a DC scan, then AC scans) hold no
// entropy data: the decoder fills every block of every scan by itself.
inline QByteArray craftedProgressiveJpeg(int width, int height, int scans) {
    using crafted::put16;
    QByteArray out("\xFF\xD8", 2);
    out.append("\xFF\xDB", 2);  // one quantisation table of ones
    put16(out, 67);
    out.append(char(0)).append(QByteArray(64, char(1)));
    out.append("\xFF\xC2", 2);  // progressive frame, one component
    put16(out, 11);
    out.append(char(8));
    put16(out, height);
    put16(out, width);
    out.append(char(1)).append(char(1)).append(char(0x11)).append(char(0));
    for (char tableClass : {char(0x00), char(0x10)}) {  // DC and AC: one code, for symbol 0
        out.append("\xFF\xC4", 2);
        put16(out, 20);
        out.append(tableClass).append(char(1)).append(QByteArray(15, char(0))).append(char(0));
    }
    for (int scan = 0; scan < scans; ++scan) {
        out.append("\xFF\xDA", 2);
        put16(out, 8);
        out.append(char(1)).append(char(1)).append(char(0));
        out.append(char(scan == 0 ? 0 : 1)).append(char(scan == 0 ? 0 : 63)).append(char(0));
    }
    out.append("\xFF\xD9", 2);
    return out;
}

// An RLE8 bitmap of width × height, two colours, whose data is one run and its end: every other
// pixel keeps the first colour.
inline QByteArray craftedRle8Bmp(int width, int height) {
    using crafted::putLittle;
    const QByteArray pixels("\xFF\x01\x00\x00\x10\x01\x00\x01", 8);
    const quint32 offset = 14 + 40 + 2 * 4;
    QByteArray out("BM", 2);
    putLittle(out, offset + quint32(pixels.size()), 4);
    putLittle(out, 0, 4);
    putLittle(out, offset, 4);
    for (quint32 value : {40u, quint32(width), quint32(height)})
        putLittle(out, value, 4);
    putLittle(out, 1, 2);
    putLittle(out, 8, 2);
    for (quint32 value : {1u, quint32(pixels.size()), 2835u, 2835u, 2u, 0u})
        putLittle(out, value, 4);
    putLittle(out, 0x00FFFFFF, 4);  // white
    putLittle(out, 0x000000FF, 4);  // blue
    return out + pixels;
}

}  // namespace kreslix::testing
