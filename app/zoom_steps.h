#pragma once

#include <QString>

namespace kreslix {

// The zoom levels a user steps through, from 12.5 % to 3200 %: halving below 100 %, then steps
// that keep each picture pixel a whole number of screen pixels.
namespace zoom_steps {

constexpr int kCount = 13;
constexpr int kActualSize = 3;  // 100 %

// The scale of a step (1.0 at 100 %); the index is clamped to the steps.
double scale(int step);
// The step `by` steps from `step`, stopping at the first and the last.
int moved(int step, int by);
// The level as the user reads it: "12,5 %", "400 %".
QString percentText(int step);
// A scale (1.0 for 100 %) as the user reads it.
QString scaleText(double scale);

}  // namespace zoom_steps
}  // namespace kreslix
