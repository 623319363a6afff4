#pragma once

#include <QImage>
#include <functional>

#include "picture_ops/desktop_capture.h"

namespace kreslix {

class DocumentState;
class Prompts;

// Copy: puts the whole picture on the clipboard (sharing its pixels) and enables the Save
// button; the modified flag stays as it is.
void Copy1Click(DocumentState& document);

// Cut: under the busy cursor, enables the Save button, copies, turns the picture white through a
// whiteness block copy and sets the modified flag.
void Cut1Click(DocumentState& document, Prompts& prompts);

// Paste: draws the clipboard's image at (0, 0) in its own size, clipped to the picture, and
// marks the document modified. With no image on the clipboard, or an owner that does not
// answer, it only says so. Another program's image is read and decoded as long work: the user
// may stop it, and then nothing changes.
void Paste1Click(DocumentState& document, Prompts& prompts);

// Paste desktop image: under the busy cursor, captures the primary screen, puts the capture on
// the clipboard at the screen's size and draws it from there at (0, 0), clipped to the picture.
// When no capture can be had, or the user declines it, the command ends before it touches the
// clipboard, the picture, the modified flag or the Save button.
void KoprovapracovnplochuWindows1Click(DocumentState& document, Prompts& prompts,
                                       const std::function<QImage()>& capture = captureDesktop);

}  // namespace kreslix
