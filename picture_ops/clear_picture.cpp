#include "picture_ops/clear_picture.h"

#include "common/prompts.h"
#include "document/document_state.h"
#include "drawing/tool_state.h"

namespace kreslix {

void Zmazaobrzok1Click(DocumentState& document, const ToolState& tools, Prompts& prompts) {
    const ClearAnswer answer = prompts.askClearPicture();
    if (!answer.confirmed)
        return;
    BusyGuard busy(prompts);
    Canvas& canvas = document.canvas();
    const Colour penColour = canvas.pen().colour();
    const Colour brushColour = canvas.brush().colour();
    const int penWidth = canvas.pen().width();

    // Colouring the brush makes it solid, so the picture is filled even when outline-only
    // shapes were chosen.
    canvas.brush().setColour(kWhite);
    canvas.pen().setColour(kWhite);
    canvas.pen().setWidth(0);
    if (answer.withForeground)
        canvas.brush().setColour(tools.foreground());
    // The outline lies on the outermost pixels (right and bottom bounds exclusive): with the
    // foreground colour that leaves a white frame one pixel wide.
    canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());

    canvas.pen().setColour(penColour);
    canvas.brush().setColour(brushColour);
    canvas.pen().setWidth(penWidth);
    document.setModified(true);
    document.setSaveButtonEnabled(true);
}

}  // namespace kreslix
