#pragma once

#include <QImage>
#include <array>
#include <memory>
#include <vector>

#include "document/files/stored_bmp_format.h"

namespace kreslix::bmp {

// Finds the index of a colour in a colour table of up to 256 entries; the first of duplicate
// colours wins.
class ColourIndexMap {
public:
    explicit ColourIndexMap(const std::vector<quint32>& table);
    int find(quint32 rgb) const;  // rgb is 0xRRGGBB; -1 when the table lacks it

private:
    static constexpr int kSlots = 1024;
    std::array<quint32, kSlots> keys_{};  // colour | 0x01000000 when used
    std::array<quint8, kSlots> indices_{};
};

// Turns picture rows into stored rows of one pixel format: the kept format of the file the
// picture came from, or 24-bit when there is none.
class RowEncoder {
public:
    RowEncoder(const QImage& image, const StoredBmpFormat* format);

    // Whether the kept format fits the picture at all (a colour table to index into).
    static bool canKeep(const StoredBmpFormat& format);

    int bitsPerPixel() const { return bits_; }
    qint64 rowBytes() const { return rowBytes_; }

    // Writes picture row y, padding included, to out; false when a pixel has a colour the
    // format can't store.
    bool encodeRow(int y, uchar* out) const;

private:
    bool encodeIndexedRow(const QRgb* src, int y, uchar* out) const;
    bool encodeMaskedRow(const QRgb* src, int y, uchar* out) const;
    void encode24BitRow(const QRgb* src, uchar* out) const;
    const PixelPlane* planeOfPicture(const PixelPlane& plane) const;

    const QImage& image_;
    const StoredBmpFormat* format_;
    int bits_ = 24;
    qint64 rowBytes_ = 0;
    std::vector<quint32> tableColours_;  // 256 entries: each index's 0xRRGGBB, black beyond
    std::unique_ptr<ColourIndexMap> indexMap_;
    std::array<std::array<qint64, 256>, 3> channelBits_{};  // red, green, blue encodings
    const PixelPlane* indices_ = nullptr;
    const PixelPlane* spareBits_ = nullptr;
};

}  // namespace kreslix::bmp
