#pragma once

#include <QtGlobal>
#include <cstddef>

#include "common/long_work.h"
#include "document/files/picture.h"

namespace kreslix {

// Decodes a whole JPEG image held in memory. Throws KreslixError with "JPEG error #%d" (the
// library's message code) or the picture-size message; nothing is returned unless the whole
// image decoded. maxPixels, when not negative, refuses larger images before any pixel is made
// (the fuzzer keeps its memory and time bounded this way). The picture and the memory the
// library keeps while it decodes (whole-image coefficients for a progressive file) may take
// memoryLimit bytes together, the picture-size rule's limit when it is negative; a file that
// needs more is refused before any of it is allocated. `progress`, when given, is told how far
// the decoding is (per scan of a progressive image, per row) and asked often whether to stop: a
// stop ends the decoding with WorkStopped.
Picture decodeJpeg(const unsigned char* data, std::size_t size, qint64 maxPixels = -1,
                   qint64 memoryLimit = -1, WorkProgress* progress = nullptr);

// Decodes a whole JPEG file from the open descriptor, read through a small buffer: the file is
// never held in memory whole. Throws as decodeJpeg does, and "Stream read error" when the file
// can't be read.
Picture decodeJpegFile(int descriptor, WorkProgress* progress = nullptr);

// The bits per pixel stored in a JPEG file: 8 per colour component (8 grey, 24 colour, 32 CMYK).
// Reads the header only. Throws KreslixError with "JPEG error #%d".
int jpegBitsPerPixel(const unsigned char* data, std::size_t size);

}  // namespace kreslix
