#pragma once

#include <cstdint>

namespace kreslix {

// `value` × `numerator` / `denominator` with a 64-bit product, rounded to the nearest whole
// number with halves away from zero. `denominator` must be positive.
std::int64_t scaleRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator);

// The printed size of a window image in printer pixels: its width scaled by the printer's
// horizontal resolution and its height by the vertical one, both divided by the screen's one
// (vertical) logical resolution, so that the image prints as large as it looks on the screen.
struct PrintedSize {
    std::int64_t width;
    std::int64_t height;
};

PrintedSize printedSize(int imageWidth, int imageHeight, int screenDpi, int printerDpiX,
                        int printerDpiY);

}  // namespace kreslix
