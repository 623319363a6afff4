#pragma once

#include <QImage>

namespace kreslix {

class DocumentState;
class Prompts;

// The mirror images in place, with no second bitmap: row r changes places with row h − 1 − r
// (about the horizontal axis), column c with column w − 1 − c (about the vertical axis); the
// middle row or column of an odd size stays. The picture holds 32-bit pixels (Format_RGB32, as
// the canvas keeps it); an empty one is left alone. A picture sharing its pixels is given its own
// first; when that fails, KreslixError is thrown and the picture stays as it was.
void flipAboutHorizontalAxis(QImage& picture);
void flipAboutVerticalAxis(QImage& picture);

// The commands: the picture mirrored under the busy cursor (a large picture that shares its
// pixels with the clipboard takes longer than a glance to copy first); the modified flag and the
// Save button stay as they are.
void Prevratitvodorovne1Click(DocumentState& document, Prompts& prompts);
void Prevrtipodazvislejosi1Click(DocumentState& document, Prompts& prompts);

}  // namespace kreslix
