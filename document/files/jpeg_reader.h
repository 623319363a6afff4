#pragma once

#include <QString>

#include "common/long_work.h"
#include "document/files/picture.h"

namespace kreslix {

// Decodes a whole JPEG file through libjpeg, reading it through a small buffer. Throws
// KreslixError with "Cannot open file %s" (also for anything but a plain file), the refusal of a
// file larger than any picture allowed in memory, "Stream read error" or "JPEG error #%d" (the
// library's message code); nothing is returned unless the whole image decoded. Tells `progress`
// (when given) how far it is, per scan of a progressive file and per row, and ends with
// WorkStopped when it asks for a stop.
Picture readJpeg(const QString& path, WorkProgress* progress = nullptr);

}  // namespace kreslix
