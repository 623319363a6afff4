#pragma once

#include <functional>

#include "canvas/span_painter.h"

namespace kreslix {

// Paints items first..last (rows of a figure, or steps of a line) by calling
// paint(painter, from, to) on consecutive ranges that together cover them once. Work below the
// threshold, counted as items times costPerItem in pixel-sized units, is painted on this thread
// with the given painter, so small figures pay no hand-over. Larger work is cut into parts run
// on the shared worker pool, each part with a painter of its own over the same picture and
// colour; their changed boxes end up in the given painter's.
void paintInParts(SpanPainter& painter, Int64 first, Int64 last, Int64 costPerItem,
                  const std::function<void(SpanPainter&, Int64, Int64)>& paint);

// What one row or line step costs besides its pixels, in pixel-sized units: reaching a new row
// of memory and working out where the run lies.
inline constexpr Int64 kRowOverhead = 32;

// The least work that is split over the pool (the default is about a megapixel: below that, a
// helper that is slow to wake costs more than it saves).
Int64 parallelThreshold();
void setParallelThreshold(Int64 cost);

}  // namespace kreslix
