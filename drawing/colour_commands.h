#pragma once

#include <optional>

#include "canvas/canvas.h"
#include "common/prompts.h"
#include "drawing/tool_state.h"

namespace kreslix {

// A palette panel: the pen and the foreground swatch take its colour; the brush stays.
void takePaletteColour(Canvas& canvas, ToolState& tools, Colour colour);

// The colour dialog preset with the pen colour; a confirmed colour goes to the pen and to the
// foreground swatch. Cancel changes nothing.
void chooseForegroundColour(Canvas& canvas, ToolState& tools, Prompts& prompts);

// The colour dialog preset with the brush colour; a confirmed colour goes to the brush (which
// makes a clear brush solid) and to the background swatch.
void chooseBackgroundColour(Canvas& canvas, ToolState& tools, Prompts& prompts);

// The width field changed to `value`: the pen takes it (ignoring a negative width), and the
// result tells which width button to push down, if any.
std::optional<int> applyWidthField(Pen& pen, int value);

}  // namespace kreslix
