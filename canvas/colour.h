#pragma once

#include <QRgb>
#include <cstdint>

namespace kreslix {

// A colour as the program speaks of it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

// What reading a pixel outside the picture gives. Used as a colour, it draws as black.
inline constexpr Colour kOutsideColour = 0xFFFFFFFF;

inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kBlack = 0x00000000;

// A colour with a non-zero top byte is not a real colour; wherever it is drawn it is black.
constexpr Colour effectiveColour(Colour c) {
    return (c & 0xFF000000u) ? kBlack : c;
}

// The picture stores pixels as QImage::Format_RGB32 (0xFFRRGGBB in memory).
constexpr QRgb toPixel(Colour c) {
    const Colour e = effectiveColour(c);
    return 0xFF000000u | ((e & 0xFFu) << 16) | (e & 0xFF00u) | ((e >> 16) & 0xFFu);
}

constexpr Colour fromPixel(QRgb p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace kreslix
