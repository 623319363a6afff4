#include "printing/printed_size.h"

namespace kreslix {

std::int64_t scaleRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    // The figures are 32-bit screen and printer values, so their product fits in 64 bits.
    const std::int64_t product = value * numerator;
    std::int64_t whole = product / denominator;
    std::int64_t rest = product % denominator;
    if (rest < 0)
        rest = -rest;
    // A remainder of half the divisor or more moves the result one step away from zero.
    if (rest >= denominator - rest)
        whole += product < 0 ? -1 : 1;
    return whole;
}

PrintedSize printedSize(int imageWidth, int imageHeight, int screenDpi, int printerDpiX,
                        int printerDpiY) {
    return {scaleRounded(imageWidth, printerDpiX, screenDpi),
            scaleRounded(imageHeight, printerDpiY, screenDpi)};
}

}  // namespace kreslix
