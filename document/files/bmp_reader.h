#pragma once

#include <QString>

#include "common/long_work.h"
#include "document/files/picture.h"

namespace kreslix {

// Reads a Windows bitmap file. Throws KreslixError with "Unknown picture file extension (.%s)",
// "Cannot open file %s" (also for anything but a plain file), "Bitmap image is not valid" or
// "Stream read error"; only a complete read returns a picture. Tells `progress` (when given) how
// far the rows are, and ends with WorkStopped when it asks for a stop.
Picture readBmp(const QString& path, WorkProgress* progress = nullptr);

}  // namespace kreslix
