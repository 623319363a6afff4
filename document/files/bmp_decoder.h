#pragma once

#include <QString>
#include <QtGlobal>

#include "document/files/picture.h"

namespace kreslix::bmp {

// Throws "Unknown picture file extension (.%s)" unless the text after the last dot of the file
// name is "bmp" in any letter case.
void checkBmpExtension(const QString& path);

// Decodes a whole bitmap file held in memory. Throws "Bitmap image is not valid", "Stream read
// error" or the picture size refusal; returns only a completely decoded picture.
Picture decodeBmp(const uchar* data, qint64 size);

}  // namespace kreslix::bmp
