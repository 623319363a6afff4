#pragma once

#include <QString>

namespace kreslix {

// The value of a spin edit's text: a decimal integer with an optional sign; any other text
// (empty, a lone sign, a decimal number, out of int range) counts as the minimum.
int spinEditValue(const QString& text, int minimum);

// A value clamped to [minimum, maximum]; minimum == maximum means unbounded.
int clampSpinValue(long long value, int minimum, int maximum);

}  // namespace kreslix
