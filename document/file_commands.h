#pragma once

class QString;

namespace kreslix {

class DocumentState;
class Prompts;

// Open: after the save-changes step (when the flag is 1), reads the chosen BMP or JPEG file.
// Only a file read completely changes anything: then the picture is replaced (pen and brush
// carried over), the file becomes the document's, the caption shows it and the Save button is
// disabled; the modified flag keeps its value.
void Open1Click(DocumentState& document, Prompts& prompts);

// Open with the file already chosen outside the program (the command line, a file dropped on
// the window): the same steps as Open without its dialog.
void openChosenFile(DocumentState& document, Prompts& prompts, const QString& path);

// Save: writes the picture to the document's file, clears the flag and disables the Save
// button. An untitled document, or one whose file is not a BMP file, runs Save as instead.
void Save1Click(DocumentState& document, Prompts& prompts);

// Save as: writes the picture to a chosen file ending in "bmp", which then becomes the
// document's file. Any other name writes nothing, changes nothing and is refused.
void Saveas1Click(DocumentState& document, Prompts& prompts);

// Copy to: writes the picture, as BMP data, to any chosen name; no document state changes.
void Koprovado1Click(DocumentState& document, Prompts& prompts);

}  // namespace kreslix
