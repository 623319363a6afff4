#pragma once

namespace kreslix {

class DocumentState;
class Prompts;

// The step New, Open and closing run before they leave the picture: a beep, then "Uložiť zmeny
// v dokumente ?". Cancel ends the running command with a silent abort; No goes on without
// writing; Yes writes the picture to the document's file, or to a file chosen in the save
// dialog (asking before an existing file is replaced; "Nie" shows the dialog again). A document
// whose file is not a BMP file (one opened from a JPEG) is treated as untitled, so its file is
// never overwritten with BMP data. Changes no document state; a failed write throws.
void runSaveChangesStep(DocumentState& document, Prompts& prompts);

// Runs the step only when the modified flag is 1, as New and Open do.
void runSaveChangesStepIfModified(DocumentState& document, Prompts& prompts);

}  // namespace kreslix
