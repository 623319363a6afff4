#pragma once

#include <QString>
#include <optional>

namespace kreslix {

// The width button to push down for a pen width: 1..5 their own buttons, 6 the hidden one
// (`dodatok`, so none of the visible ones is down), anything else: leave the buttons alone.
std::optional<int> widthButtonFor(int penWidth);

// The value of a spin edit's text: a decimal integer with an optional sign; any other text
// (empty, a lone sign, a decimal number, out of int range) counts as the minimum.
int spinEditValue(const QString& text, int minimum);

// A value clamped to [minimum, maximum]; minimum == maximum means unbounded.
int clampSpinValue(long long value, int minimum, int maximum);

}  // namespace kreslix
