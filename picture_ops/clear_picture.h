#pragma once

namespace kreslix {

class DocumentState;
class Prompts;
class ToolState;

// Clear: asks with `OknoZmaz`; unless refused, paints the whole picture white, or the
// foreground colour inside a white frame one pixel wide when `ZmazFarbou` is checked, and marks
// the document modified. The pen colour, brush colour and pen width are noted and set back;
// the brush is left solid.
void Zmazaobrzok1Click(DocumentState& document, const ToolState& tools, Prompts& prompts);

}  // namespace kreslix
