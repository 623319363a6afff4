#pragma once

#include <QImage>
#include <algorithm>
#include <cmath>

namespace bench {

// A picture that compresses as a photo does: smooth gradients with a little noise in every
// pixel, the same on every run.
inline QImage photoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    auto channel = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double fx = x / 700.0, fy = y / 500.0;
            seed = seed * 1664525u + 1013904223u;
            const int noise = int((seed >> 24) & 7) - 4;
            row[x] =
                qRgb(channel(128 + 60 * std::sin(fx) + 40 * std::cos(fy * 1.3 + fx * 0.2) + noise),
                     channel(128 + 50 * std::sin(fx * 0.7 + fy) + noise / 2 + ((seed >> 16) & 3)),
                     channel(128 + 70 * std::cos(fy * 0.9) + noise - ((seed >> 12) & 3)));
        }
    }
    return image;
}

}  // namespace bench
