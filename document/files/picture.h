#pragma once

#include <QImage>
#include <memory>

namespace kreslix {

struct StoredBmpFormat;  // the pixel format of a BMP file, kept to write the picture back that way

// The picture the user sees and draws on, with the file format it came from.
struct Picture {
    QImage image;  // QImage::Format_RGB32
    // Set when the picture was read from a BMP file whose pixel format is worth keeping; null
    // for pictures the program made (start-up, New, a decoded JPEG), written as 24-bit.
    std::shared_ptr<const StoredBmpFormat> storedFormat;
};

// The image with 32-bit pixels as the writers and encoders read them: itself when it has them
// (shared, not copied), else converted.
inline QImage withRgb32Pixels(const QImage& image) {
    const QImage::Format format = image.format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
               ? image
               : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace kreslix
