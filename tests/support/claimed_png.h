#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace kreslix::testing {

// A valid PNG holding one pixel whose header claims width × height: what a hostile program
// offers to make a reader allocate a huge image.
inline QByteArray pngClaimingSize(quint32 width, quint32 height) {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixel.save(&buffer, "PNG");
    const auto putBigEndian = [&png](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char(value >> (24 - 8 * i));
    };
    // The IHDR chunk: its length at 8, type at 12, width at 16, height at 20, CRC at 29.
    putBigEndian(16, width);
    putBigEndian(20, height);
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(png[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    putBigEndian(29, ~crc);
    return png;
}

}  // namespace kreslix::testing
