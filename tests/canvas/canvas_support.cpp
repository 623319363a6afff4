#include "canvas_support.h"

namespace kreslix::test {

Picture::Picture(int width, int height, Colour background)
    : image(width, height, QImage::Format_RGB32) {
    image.fill(toPixel(background));
    canvas.setChangeListener([this](const QRect& r) { changes.push_back(r); });
}

void fillWithPattern(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Colour c = (x * 37u + y * 101u) * 2654435761u;
            image.setPixel(x, y, toPixel(c & 0x00FFFFFF));
        }
    }
}

std::vector<std::string> asText(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            switch (fromPixel(image.pixel(x, y))) {
                case kWhite:
                    row += '.';
                    break;
                case kBlack:
                    row += '#';
                    break;
                case kRed:
                    row += 'r';
                    break;
                case kBlue:
                    row += 'b';
                    break;
                case kGreen:
                    row += 'g';
                    break;
                default:
                    row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<QPoint> differences(const QImage& a, const QImage& b) {
    std::vector<QPoint> points;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                points.emplace_back(x, y);
        }
    }
    return points;
}

QRect boundingBox(const std::vector<QPoint>& points) {
    QRect box;
    for (const QPoint& p : points)
        box |= QRect(p, QSize(1, 1));
    return box;
}

}  // namespace kreslix::test
