#include "app/picture_pixel.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kreslix {

namespace {

int floorToInt(double value) {
    const double floored = std::floor(value);
    if (std::isnan(floored))
        return 0;
    return static_cast<int>(std::clamp(floored, double(INT_MIN), double(INT_MAX)));
}

}  // namespace

QPoint picturePixelAt(QPointF scenePosition, QPoint pictureOrigin) {
    // The origin is subtracted as a double: the difference of two ints may not fit one.
    return QPoint(floorToInt(scenePosition.x() - double(pictureOrigin.x())),
                  floorToInt(scenePosition.y() - double(pictureOrigin.y())));
}

}  // namespace kreslix
