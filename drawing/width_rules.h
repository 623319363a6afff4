#pragma once

#include <optional>

namespace kreslix {

// The width button to push down for a pen width: 1..5 their own buttons, 6 the hidden one
// (`dodatok`, so none of the visible ones is down), anything else: leave the buttons alone.
std::optional<int> widthButtonFor(int penWidth);

}  // namespace kreslix
