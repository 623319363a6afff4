#pragma once

#include <QImage>
#include <QRect>
#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace kreslix::test {

inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kBlue = 0x00FF0000;
inline constexpr Colour kGreen = 0x0000FF00;

// A picture with its canvas, recording every change rectangle the canvas reports.
class Picture {
public:
    Picture(int width, int height, Colour background = kWhite);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    QImage image;
    Canvas canvas{&image};
    std::vector<QRect> changes;
};

// Fills the picture with a pattern of many colours, so that a lost or doubled change shows.
void fillWithPattern(QImage& image);

// The picture as text, one string per row: '.' white, '#' black, 'r' red, 'b' blue, 'g' green,
// '?' anything else.
std::vector<std::string> asText(const QImage& image);

// The points where the two pictures differ.
std::vector<QPoint> differences(const QImage& a, const QImage& b);

// The bounding box of the points; empty for none.
QRect boundingBox(const std::vector<QPoint>& points);

}  // namespace kreslix::test
