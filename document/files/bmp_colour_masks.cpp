#include "document/files/bmp_colour_masks.h"

namespace kreslix::bmp {

MaskedChannel::MaskedChannel(quint32 mask)
    : mask_(mask), shift_(lowestBit(mask)), max_(mask >> lowestBit(mask)) {
    if (max_ <= 0xFFFF) {
        table_.resize(max_ + 1);
        for (quint32 value = 0; value <= max_; ++value)
            table_[value] = scale(value);
    }
}

quint8 MaskedChannel::scale(quint32 value) const {
    if (max_ == 0)
        return 0;
    return quint8((quint64(value) * 255 + max_ / 2) / max_);
}

std::array<qint64, 256> MaskedChannel::encodingTable() const {
    std::array<qint64, 256> table;
    table.fill(-1);
    if (max_ == 0) {
        table[0] = 0;
        return table;
    }
    for (int level = 0; level < 256; ++level) {
        const quint64 nearest = (quint64(level) * max_ + 127) / 255;
        if (fitsMask(nearest) && scale(quint32(nearest)) == level) {
            table[level] = qint64(nearest << shift_);
        }
    }
    // A mask with gaps has values between its own; search them for the levels still missing.
    if (max_ <= 0xFFFF) {
        for (quint32 value = max_ + 1; value-- > 0;) {
            const quint8 level = table_[value];
            if (fitsMask(value) && table[level] < 0)
                table[level] = qint64(value) << shift_;
        }
    }
    return table;
}

}  // namespace kreslix::bmp
