#pragma once

#include <QString>

#include "document/files/picture.h"

namespace kreslix {

// Writes the whole picture to path as a BMP file, in the pixel format it was read in while every
// pixel fits that format, else as 24-bit. The old file is replaced only once every byte is
// written. Throws KreslixError with "Cannot create file %s" or "Stream write error", and refuses
// before anything is written a target that is not a plain file and a picture whose file would
// be larger than a BMP file can be (4 GB).
void writePicture(const QString& path, const Picture& picture);

}  // namespace kreslix
