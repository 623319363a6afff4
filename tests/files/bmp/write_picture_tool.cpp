// Writes a 7 x 5 green picture to the path given, as Save does, and prints why it could not.
// The tests run it as another user to meet the file permissions that the superuser never meets.
// With --in-place it only opens the path as the save opens an existing file of another user in
// a sticky folder, and writes a few bytes: what happens when the name is swapped for something
// else after the save looked at it.
#include <QImage>
#include <cstdio>
#include <string_view>

#include "common/error.h"
#include "document/files/bmp_file_output.h"
#include "document/files/bmp_writer.h"

int main(int argc, char* argv[]) {
    const bool inPlace = argc == 3 && std::string_view(argv[1]) == "--in-place";
    if (argc != 2 && !inPlace) {
        std::fprintf(stderr, "usage: %s [--in-place] PATH\n", argv[0]);
        return 2;
    }
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    const QString path = QString::fromLocal8Bit(argv[argc - 1]);
    try {
        if (inPlace) {
            kreslix::bmp::BmpFileOutput output(path, kreslix::bmp::plainByteSink());
            output.write("BM", 2);
            output.commit();
        } else {
            kreslix::writePicture(path, kreslix::Picture{image, nullptr});
        }
    } catch (const kreslix::KreslixError& error) {
        std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
