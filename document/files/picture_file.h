#pragma once

#include <QString>

#include "common/long_work.h"
#include "document/files/picture.h"

namespace kreslix {

enum class PictureFileKind { Bmp, Jpeg, Unknown };

// The kind of a file by the end of its name, in any letter case: "bmp", "jpg" or "jpeg".
PictureFileKind pictureFileKind(const QString& path);

// Reads a picture file as Open does, by the end of its name. A name with none of the endings
// fails with "Unknown picture file extension (.%s)". Throws KreslixError; returns only a
// picture that was read completely. Tells `progress` (when given) how far the read is, and ends
// with WorkStopped, nothing read, when it asks for a stop.
Picture readPictureFile(const QString& path, WorkProgress* progress = nullptr);

}  // namespace kreslix
