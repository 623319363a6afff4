#include "document/files/stored_bmp_format.h"

#include "document/files/bmp_bytes.h"

namespace kreslix {

PixelPlane::PixelPlane(int width, int height, int bitsPerEntry)
    : width_(width),
      height_(height),
      bitsPerEntry_(bitsPerEntry),
      rowBytes_(qsizetype(bmp::packedRowBytes(width, bitsPerEntry))),
      bits_(rowBytes_ * height, char(0)) {}

}  // namespace kreslix
