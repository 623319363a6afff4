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

// A pointer on a device pixel's edge, given back in logical units, may come back a rounding
// error short of it.
constexpr double kEdgeTolerance = 1e-6;

}  // namespace

int pictureColumnAt(int device, double deviceRatio, int origin, double zoom) {
    // The origin is subtracted as a double: the difference of two ints may not fit one.
    const double logical = (double(device) + 0.5) / deviceRatio - double(origin);
    return floorToInt(logical / zoom);
}

int devicePixelAt(double scenePosition, double deviceRatio) {
    return floorToInt(scenePosition * deviceRatio + kEdgeTolerance);
}

QPoint picturePixelAt(QPointF scenePosition, const PictureGeometry& geometry) {
    const double ratio = geometry.deviceRatio;
    return QPoint(pictureColumnAt(devicePixelAt(scenePosition.x(), ratio), ratio,
                                  geometry.origin.x(), geometry.zoom),
                  pictureColumnAt(devicePixelAt(scenePosition.y(), ratio), ratio,
                                  geometry.origin.y(), geometry.zoom));
}

}  // namespace kreslix
