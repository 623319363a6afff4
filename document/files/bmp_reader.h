#pragma once

#include <QString>

#include "document/files/picture.h"

namespace kreslix {

// Reads a Windows bitmap file. Throws KreslixError with "Unknown picture file extension (.%s)",
// "Cannot open file %s" (also for anything but a plain file), "Bitmap image is not valid" or
// "Stream read error"; only a complete read returns a picture.
Picture readBmp(const QString& path);

}  // namespace kreslix
