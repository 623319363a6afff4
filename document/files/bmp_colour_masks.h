#pragma once

#include <QtGlobal>
#include <array>
#include <vector>

namespace kreslix::bmp {

// One colour channel of a 16- or 32-bit pixel, given by its mask. A channel of any width reads
// as round(v × 255 / max), where max is the mask shifted down to bit 0; an empty mask reads 0.
class MaskedChannel {
public:
    // reads: how many pixels will be read. A table of every value's level is made only when
    // there are more reads than values: a small picture with a 16-bit channel would otherwise
    // spend most of its decoding on the table.
    explicit MaskedChannel(quint32 mask, qint64 reads = kManyReads);

    static constexpr qint64 kManyReads = qint64(1) << 62;

    quint8 read(quint32 pixel) const {
        const quint32 value = (pixel & mask_) >> shift_;
        return table_.empty() ? scale(value) : table_[value];
    }

    // The pixel bits that read back as each 8-bit level, or -1 for a level no value gives.
    std::array<qint64, 256> encodingTable() const;

private:
    quint8 scale(quint32 value) const;
    bool fitsMask(quint64 value) const { return ((value << shift_) & mask_) == (value << shift_); }

    quint32 mask_;
    int shift_ = 0;
    quint32 max_ = 0;
    std::vector<quint8> table_;  // every value's level, for channels up to 16 bits wide
};

// The lowest set bit of a non-zero mask.
inline int lowestBit(quint32 mask) {
    return mask == 0 ? 0 : __builtin_ctz(mask);
}

}  // namespace kreslix::bmp
