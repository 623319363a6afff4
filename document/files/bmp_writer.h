#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <atomic>

#include "document/files/picture.h"

namespace kreslix {

// Writes the whole picture to path as a BMP file, in the pixel format it was read in while every
// pixel fits that format, else as 24-bit. The old file is replaced only once every byte is
// written. Throws KreslixError with "Cannot create file %s" or "Stream write error", and refuses
// before anything is written a target that is not a plain file and a picture whose file would
// be larger than a BMP file can be (4 GB).
void writePicture(const QString& path, const Picture& picture);

// The image as the bytes of a 24-bit BMP file, made in memory (for other programs that ask for
// one). Empty when the image is null, when such a file would be larger than 4 GB, when the
// memory can't be had, or when stop turns true meanwhile.
QByteArray bmpFileBytes(const QImage& image, const std::atomic<bool>* stop = nullptr);

}  // namespace kreslix
