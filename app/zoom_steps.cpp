#include "app/zoom_steps.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace kreslix::zoom_steps {
namespace {

constexpr std::array<double, kCount> kScales{0.125, 0.25, 0.5, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32};
static_assert(kScales[kActualSize] == 1.0);

}  // namespace

double scale(int step) {
    return kScales[size_t(std::clamp(step, 0, kCount - 1))];
}

int moved(int step, int by) {
    return std::clamp(step + by, 0, kCount - 1);
}

QString percentText(int step) {
    return scaleText(scale(step));
}

QString scaleText(double scale) {
    // Slovak writes a decimal comma and a space before the percent sign.
    return QLocale(QLocale::Slovak).toString(scale * 100.0, 'g', 6) + QStringLiteral(" %");
}

}  // namespace kreslix::zoom_steps
