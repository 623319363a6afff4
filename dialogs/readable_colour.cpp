#include "dialogs/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace kreslix {
namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QPalette& palette, const QColor& designed,
                  std::initializer_list<QPalette::ColorRole> fallbacks, double least) {
    const QColor ground = palette.color(QPalette::Window);
    if (contrastRatio(designed, ground) >= least)
        return designed;
    for (const QPalette::ColorRole role : fallbacks) {
        if (contrastRatio(palette.color(role), ground) >= least)
            return palette.color(role);
    }
    return palette.color(QPalette::WindowText);
}

}  // namespace kreslix
