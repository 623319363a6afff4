#include "document/files/bmp_colour_masks.h"

#include <algorithm>

namespace kreslix::bmp {

MaskedChannel::MaskedChannel(quint32 mask, qint64 reads)
    : mask_(mask), shift_(lowestBit(mask)), max_(mask >> lowestBit(mask)) {
    if (max_ <= 0xFFFF && reads > qint64(max_)) {
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
    const bool missing = std::find(table.begin(), table.end(), -1) != table.end();
    if (missing && max_ <= 0xFFFF) {
        for (quint32 value = max_ + 1; value-- > 0;) {
            const quint8 level = table_.empty() ? scale(value) : table_[value];
            if (fitsMask(value) && table[level] < 0)
                table[level] = qint64(value) << shift_;
        }
    }
    return table;
}

}  // namespace kreslix::bmp
