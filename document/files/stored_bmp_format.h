#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

namespace kreslix {

// Small per-pixel values packed like bitmap rows (most significant bits first within a byte),
// one row per picture row, top row first, without padding.
class PixelPlane {
public:
    PixelPlane() = default;
    PixelPlane(int width, int height, int bitsPerEntry);

    bool isNull() const { return bits_.isEmpty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerEntry() const { return bitsPerEntry_; }
    qsizetype rowBytes() const { return rowBytes_; }
    uchar* row(int y) { return reinterpret_cast<uchar*>(bits_.data()) + y * rowBytes_; }
    const uchar* row(int y) const {
        return reinterpret_cast<const uchar*>(bits_.constData()) + y * rowBytes_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    int bitsPerEntry_ = 0;
    qsizetype rowBytes_ = 0;
    QByteArray bits_;
};

// The pixel format of a BMP file a picture was read from, kept to write the picture back the same
// way: depth and colour table for 1, 2, 4 and 8 bits per pixel, depth and masks for 16 and 32.
struct StoredBmpFormat {
    int bitsPerPixel = 8;
    bool bitFields = false;  // written with BI_BITFIELDS and the three masks, else BI_RGB
    // Colour table entries as stored: blue in the low byte, then green, red and the reserved byte.
    std::vector<quint32> colourTable;
    quint32 redMask = 0;
    quint32 greenMask = 0;
    quint32 blueMask = 0;

    // What the colours alone can't tell, kept only when the file needs it, so that an unchanged
    // picture is written back byte for byte. Each belongs to a picture of exactly its size.
    // The indices as read, when the colour table has duplicate colours or the rows use indices
    // beyond it (several indices then give one colour).
    PixelPlane indices;
    // For 16 and 32 bits: the bits outside the colour masks, shifted down by spareShift, when any
    // pixel had some set (the fourth byte of a 32-bit pixel, the top bit of a 5-5-5 one).
    PixelPlane spareBits;
    quint32 spareMask = 0;
    int spareShift = 0;
};

}  // namespace kreslix
