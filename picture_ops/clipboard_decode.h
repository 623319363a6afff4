#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include "common/long_work.h"

namespace kreslix {

// The image types of an offer that a paste reads, in the order they are tried. BMP comes first:
// an owner that converts its picture on demand writes it without compressing anything. PNG comes
// next, then whatever else Qt reads.
QStringList pastableImageTypes(const QStringList& offered);

// Refuses, with the picture-size message, an image whose header (read from the first bytes
// alone) gives a size larger than a picture may be; does nothing when the header does not tell.
// A transfer checks this as soon as the first bytes arrive, so a hostile huge image costs
// neither the rest of the transfer nor its decoding.
void checkImageHeaderSize(const QByteArray& bytes);

// Decodes the bytes as the picture-memory rule allows, not by Qt's default limit of 128 MiB,
// which refuses a photo of 8000 × 6000 pixels. The size in the header is checked first; an image
// beyond the rule fails with its size. Null when the bytes hold no decodable image. With a
// progress, the decoding reports how much of the bytes it has taken in (Qt's readers take them
// as they decode rows) and ends with WorkStopped soon after a stop is asked for.
QImage decodeClipboardImage(QByteArray bytes, WorkProgress* progress = nullptr);

}  // namespace kreslix
