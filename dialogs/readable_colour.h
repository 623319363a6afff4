#pragma once

#include <QColor>
#include <QPalette>
#include <initializer_list>

namespace kreslix {

// How far two colours stand apart for the eye: the ratio of their relative luminances (each
// plus 0.05), from 1 for the same colour to 21 for black against white.
double contrastRatio(const QColor& a, const QColor& b);

// `designed` where it stands out from the palette's window colour at least `least` times (3 is
// enough for large or heavy text); otherwise the first of the palette's `fallbacks` that does,
// and the window text colour when none does. A dark or high-contrast theme so keeps what a
// fixed colour would lose.
QColor readableOn(const QPalette& palette, const QColor& designed,
                  std::initializer_list<QPalette::ColorRole> fallbacks, double least);

}  // namespace kreslix
