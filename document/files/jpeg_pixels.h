#pragma once

#include <QtGlobal>

namespace kreslix {

// Turns one row of palette indices into Format_RGB32 pixels through the colour map the library's
// quantiser chose for a greyscale file: one map, so each entry is a grey level.
void greyIndicesToRgb32(const uchar* indices, unsigned width, const uchar* greyMap, quint32* out);

// Turns one row of C, M, Y, K samples into Format_RGB32 pixels. Adobe writes its CMYK files with
// every sample inverted (0 = full ink); inverted says the row is stored that way.
void cmykToRgb32(const uchar* cmyk, unsigned width, bool inverted, quint32* out);

}  // namespace kreslix
