#pragma once

#include <QString>
#include <QtGlobal>

#include "common/long_work.h"
#include "document/files/bmp_headers.h"
#include "document/files/picture.h"

namespace kreslix::bmp {

// Throws "Unknown picture file extension (.%s)" unless the text after the last dot of the file
// name is "bmp" in any letter case.
void checkBmpExtension(const QString& path);

// Decodes a whole bitmap file held in memory. Throws "Bitmap image is not valid", "Stream read
// error" or the picture size refusal; returns only a completely decoded picture. Tells `progress`
// (when given) how far it is row by row, and throws WorkStopped when it asks for a stop.
Picture decodeBmp(const uchar* data, qint64 size, WorkProgress* progress = nullptr);

// The picture the layout describes, all of it to be decoded: refuses sizes checkPictureSize
// refuses and throws when the memory can't be had.
QImage allocatePicture(const BmpLayout& layout);

// readBmp, reading uncompressed 24-bit pixel rows from the file in bands of at most bandBytes
// (always at least one row) into one reused buffer instead of reading the whole file first.
Picture readBmpFile(const QString& path, qint64 bandBytes, WorkProgress* progress = nullptr);

}  // namespace kreslix::bmp
