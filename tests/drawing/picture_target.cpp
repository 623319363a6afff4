#include "tests/drawing/picture_target.h"

namespace kreslix::testing {

PictureTarget::PictureTarget(int width, int height, Colour fill)
    : image(filledPicture(width, height, fill)) {}

void PictureTarget::stroke(QPoint from, const std::vector<QPoint>& moves, QPoint to) {
    engine.FormMouseDown(from.x(), from.y());
    for (QPoint p : moves)
        engine.FormMouseMove(p.x(), p.y());
    engine.FormMouseUp(to.x(), to.y());
}

QImage filledPicture(int width, int height, Colour fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toPixel(fill));
    return image;
}

QImage stripedPicture(int width, int height) {
    const Colour stripes[] = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x00808080, 0x0012AB34};
    QImage image = filledPicture(width, height, kWhite);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            setPixel(image, x, y, stripes[(x / 3 + y / 5) % 5]);
    }
    return image;
}

void setPixel(QImage& image, int x, int y, Colour c) {
    image.setPixel(x, y, toPixel(c));
}

std::vector<std::string> differences(const QImage& a, const QImage& b) {
    std::vector<std::string> found;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                found.push_back(std::to_string(x) + "," + std::to_string(y));
            }
        }
    }
    return found;
}

}  // namespace kreslix::testing
