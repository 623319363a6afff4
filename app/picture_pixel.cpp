#include "app/picture_pixel.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kreslix {

namespace {

int toInt(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

// A pointer on a device pixel's edge, given back in logical units, may come back a rounding
// error short of it.
constexpr double kEdgeTolerance = 1e-6;

}  // namespace

int pictureColumnAt(int device, double deviceRatio, int origin, double zoom) {
    // The origin is subtracted as a double: the difference of two ints may not fit one.
    const double logical = (double(device) + 0.5) / deviceRatio - double(origin);
    // A centre on the edge between two picture pixels counts to the left or upper one, as Qt
    // rounds the view's own edge: a screen pixel centred on it lies outside the view.
    return toInt(std::ceil(logical / zoom) - 1.0);
}

int devicePixelAt(double scenePosition, double deviceRatio) {
    return toInt(std::floor(scenePosition * deviceRatio + kEdgeTolerance));
}

QPoint picturePixelAt(QPointF scenePosition, const PictureGeometry& geometry) {
    const double ratio = geometry.deviceRatio;
    return QPoint(pictureColumnAt(devicePixelAt(scenePosition.x(), ratio), ratio,
                                  geometry.origin.x(), geometry.zoom),
                  pictureColumnAt(devicePixelAt(scenePosition.y(), ratio), ratio,
                                  geometry.origin.y(), geometry.zoom));
}

}  // namespace kreslix
