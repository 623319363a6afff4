#include "document/files/jpeg_pixels.h"

#include <QColor>

namespace kreslix {

void greyIndicesToRgb32(const uchar* indices, unsigned width, const uchar* greyMap, quint32* out) {
    for (unsigned x = 0; x < width; ++x) {
        const int level = greyMap[indices[x]];
        out[x] = qRgb(level, level, level);
    }
}

namespace {

// The share of light that one ink leaves, times that of black, both as 0..255 "no ink" amounts.
int lightLeft(int inkAbsent, int blackAbsent) {
    return (inkAbsent * blackAbsent + 127) / 255;
}

}  // namespace

void cmykToRgb32(const uchar* cmyk, unsigned width, bool inverted, quint32* out) {
    const int flip = inverted ? 0 : 255;
    for (unsigned x = 0; x < width; ++x) {
        const uchar* sample = cmyk + 4 * x;
        const int blackAbsent = sample[3] ^ flip;
        out[x] =
            qRgb(lightLeft(sample[0] ^ flip, blackAbsent), lightLeft(sample[1] ^ flip, blackAbsent),
                 lightLeft(sample[2] ^ flip, blackAbsent));
    }
}

}  // namespace kreslix
