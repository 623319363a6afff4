#include "drawing/colour_commands.h"

#include "drawing/width_rules.h"

namespace kreslix {

void takePaletteColour(Canvas& canvas, ToolState& tools, Colour colour) {
    canvas.pen().setColour(colour);
    tools.setForeground(colour);
}

void chooseForegroundColour(Canvas& canvas, ToolState& tools, Prompts& prompts) {
    if (const auto chosen = prompts.chooseColour(canvas.pen().colour())) {
        canvas.pen().setColour(*chosen);
        tools.setForeground(*chosen);
    }
}

void chooseBackgroundColour(Canvas& canvas, ToolState& tools, Prompts& prompts) {
    if (const auto chosen = prompts.chooseColour(canvas.brush().colour())) {
        canvas.brush().setColour(*chosen);
        tools.setBackground(*chosen);
    }
}

std::optional<int> applyWidthField(Pen& pen, int value) {
    pen.setWidth(value);
    return widthButtonFor(pen.width());
}

}  // namespace kreslix
