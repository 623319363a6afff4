#pragma once

#include <QString>

#include "document/files/picture.h"

namespace kreslix {

// Decodes a whole JPEG file through libjpeg. Throws KreslixError with "Cannot open file %s" or
// "JPEG error #%d" (the library's message code); nothing is returned unless the whole image
// decoded.
Picture readJpeg(const QString& path);

}  // namespace kreslix
