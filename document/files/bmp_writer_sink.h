#pragma once

#include <QString>

#include "document/files/bmp_file_output.h"
#include "document/files/picture.h"

namespace kreslix::bmp {

// writePicture with the bytes going through sink, so that tests can make the medium fail.
void writePictureThrough(const QString& path, const Picture& picture, const ByteSink& sink);

}  // namespace kreslix::bmp
