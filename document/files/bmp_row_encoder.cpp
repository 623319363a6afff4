#include "document/files/bmp_row_encoder.h"

#include <QtEndian>
#include <cstring>

#include "document/files/bmp_bytes.h"
#include "document/files/bmp_colour_masks.h"

namespace kreslix::bmp {

namespace {

uint slotOf(quint32 rgb, int slots) {
    return (rgb * 2654435761u) >> 22 & uint(slots - 1);
}

}  // namespace

ColourIndexMap::ColourIndexMap(const std::vector<quint32>& table) {
    for (size_t i = 0; i < table.size() && i < 256; ++i) {
        const quint32 key = (table[i] & 0xFFFFFF) | 0x01000000;
        uint slot = slotOf(key & 0xFFFFFF, kSlots);
        while (keys_[slot] != 0 && keys_[slot] != key)
            slot = (slot + 1) & (kSlots - 1);
        if (keys_[slot] == 0) {
            keys_[slot] = key;
            indices_[slot] = quint8(i);
        }
    }
}

int ColourIndexMap::find(quint32 rgb) const {
    const quint32 key = rgb | 0x01000000;
    for (uint slot = slotOf(rgb, kSlots);; slot = (slot + 1) & (kSlots - 1)) {
        if (keys_[slot] == key)
            return indices_[slot];
        if (keys_[slot] == 0)
            return -1;
    }
}

bool RowEncoder::canKeep(const StoredBmpFormat& format) {
    if (format.bitsPerPixel > 8)
        return format.bitsPerPixel == 16 || format.bitsPerPixel == 32;
    return !format.colourTable.empty() &&
           format.colourTable.size() <= (size_t(1) << format.bitsPerPixel);
}

RowEncoder::RowEncoder(const QImage& image, const StoredBmpFormat* format)
    : image_(image), format_(format) {
    bits_ = format_ ? format_->bitsPerPixel : 24;
    rowBytes_ = paddedRowBytes(image.width(), bits_);
    if (!format_)
        return;
    if (bits_ <= 8) {
        tableColours_.assign(256, 0);
        for (size_t i = 0; i < format_->colourTable.size(); ++i) {
            tableColours_[i] = format_->colourTable[i] & 0xFFFFFF;
        }
        indexMap_ = std::make_unique<ColourIndexMap>(format_->colourTable);
        indices_ = planeOfPicture(format_->indices);
    } else {
        const quint32 masks[3] = {format_->redMask, format_->greenMask, format_->blueMask};
        for (int channel = 0; channel < 3; ++channel) {
            channelBits_[channel] = MaskedChannel(masks[channel], 0).encodingTable();
        }
        spareBits_ = planeOfPicture(format_->spareBits);
    }
}

const PixelPlane* RowEncoder::planeOfPicture(const PixelPlane& plane) const {
    const bool fits =
        !plane.isNull() && plane.width() == image_.width() && plane.height() == image_.height();
    return fits ? &plane : nullptr;
}

bool RowEncoder::encodeRow(int y, uchar* out) const {
    const QRgb* src = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    const qint64 used = packedRowBytes(image_.width(), bits_);
    std::memset(out + used, 0, size_t(rowBytes_ - used));
    if (bits_ == 24) {
        encode24BitRow(src, out);
        return true;
    }
    return bits_ <= 8 ? encodeIndexedRow(src, y, out) : encodeMaskedRow(src, y, out);
}

void RowEncoder::encode24BitRow(const QRgb* src, uchar* out) const {
    const int width = image_.width();
    int x = 0;
    // Eight pixels make three whole 64-bit words of blue-green-red bytes.
    for (; x + 8 <= width; x += 8, out += 24) {
        quint64 p[8];
        for (int i = 0; i < 8; ++i)
            p[i] = src[x + i] & 0xFFFFFF;
        qToLittleEndian(p[0] | p[1] << 24 | p[2] << 48, out);
        qToLittleEndian(p[2] >> 16 | p[3] << 8 | p[4] << 32 | p[5] << 56, out + 8);
        qToLittleEndian(p[5] >> 8 | p[6] << 16 | p[7] << 40, out + 16);
    }
    for (; x < width; ++x, out += 3) {
        const QRgb pixel = src[x];
        out[0] = uchar(pixel);
        out[1] = uchar(pixel >> 8);
        out[2] = uchar(pixel >> 16);
    }
}

bool RowEncoder::encodeIndexedRow(const QRgb* src, int y, uchar* out) const {
    const int width = image_.width();
    std::memset(out, 0, size_t(packedRowBytes(width, bits_)));
    const uchar* kept = indices_ ? indices_->row(y) : nullptr;
    quint32 lastColour = 0xFFFFFFFF;
    int lastIndex = 0;
    for (int x = 0; x < width; ++x) {
        const quint32 rgb = src[x] & 0xFFFFFF;
        int index = -1;
        if (kept) {
            const quint32 keptIndex = packedEntry(kept, x, bits_);
            if (tableColours_[keptIndex] == rgb)
                index = int(keptIndex);
        }
        if (index < 0) {
            if (rgb != lastColour) {
                lastColour = rgb;
                lastIndex = indexMap_->find(rgb);
            }
            if (lastIndex < 0)
                return false;
            index = lastIndex;
        }
        setPackedEntry(out, x, bits_, quint32(index));
    }
    return true;
}

bool RowEncoder::encodeMaskedRow(const QRgb* src, int y, uchar* out) const {
    const int width = image_.width();
    const uchar* spare = spareBits_ ? spareBits_->row(y) : nullptr;
    const int spareEntryBits = spareBits_ ? spareBits_->bitsPerEntry() : 0;
    for (int x = 0; x < width; ++x) {
        const QRgb pixel = src[x];
        const qint64 red = channelBits_[0][qRed(pixel)];
        const qint64 green = channelBits_[1][qGreen(pixel)];
        const qint64 blue = channelBits_[2][qBlue(pixel)];
        if ((red | green | blue) < 0)
            return false;
        quint32 value = quint32(red | green | blue);
        if (spare)
            value |= packedEntry(spare, x, spareEntryBits) << format_->spareShift;
        if (bits_ == 16) {
            writeU16(out + 2 * x, quint16(value));
        } else {
            writeU32(out + 4 * x, value);
        }
    }
    return true;
}

}  // namespace kreslix::bmp
