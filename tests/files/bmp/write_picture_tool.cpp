// Writes a 7 x 5 green picture to the path given, as Save does, and prints why it could not.
// The tests run it as another user to meet the file permissions that the superuser never meets.
#include <QImage>
#include <cstdio>

#include "common/error.h"
#include "document/files/bmp_writer.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH\n", argv[0]);
        return 2;
    }
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    try {
        kreslix::writePicture(QString::fromLocal8Bit(argv[1]), kreslix::Picture{image, nullptr});
    } catch (const kreslix::KreslixError& error) {
        std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
