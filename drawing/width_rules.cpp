#include "drawing/width_rules.h"

namespace kreslix {

std::optional<int> widthButtonFor(int penWidth) {
    if (penWidth >= 1 && penWidth <= 6)
        return penWidth;
    return std::nullopt;
}

}  // namespace kreslix
