#pragma once

#include <QImage>
#include <QRect>

#include "app/picture_pixel.h"

namespace kreslix {

// What the view shows on a block of the window's device pixels, made from the visible part of
// the picture alone. Where a device pixel covers at most one picture pixel (100 % and above),
// it shows the picture pixel at its centre, a sharp block; below, it shows the average of an
// evenly spread grid of two by two picture pixels of the area it covers, so that a large photo
// scaled down looks like itself and a repaint costs what the shown part costs; a large area is
// shared out among the canvas's helper threads. Device pixels whose centre lies off the picture
// show `background`. With `grid`, the first device row and column of each picture pixel are
// blended faintly towards grey, a grid for pixel work that exists only on the screen.
class PictureRenderer {
public:
    // Two by two keeps a repaint at 12.5 % within a frame: the picture rows read set the cost.
    static constexpr int kMaxSamples = 2;

    PictureRenderer(const QImage& picture, const PictureGeometry& geometry)
        : picture_(picture), geometry_(geometry) {}

    // `deviceRect` is in device pixels of the window, counted from its top-left corner.
    QImage render(const QRect& deviceRect, QRgb background, bool grid) const;

private:
    const QImage& picture_;
    PictureGeometry geometry_;
};

}  // namespace kreslix
