#pragma once

#include <QString>

namespace kreslix {

class DocumentState;
class Prompts;

// New: after the save-changes step (when the flag is 1), asks for the size and background
// colour and replaces the picture by a blank one of them; the document becomes untitled and
// unchanged. The pen and brush carry over, also when the dialog is cancelled. A size that is
// no integer, negative, or too large for memory ends New with a message before anything
// changes; a width or height of 0 gives an empty picture.
void New1Click(DocumentState& document, Prompts& prompts);

// The text of a size field as a signed decimal integer (optional "+" or "-", then digits);
// throws "'%s' is not a valid integer value" for anything else.
int sizeFieldValue(const QString& text);

}  // namespace kreslix
