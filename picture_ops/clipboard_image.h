#pragma once

#include <QImage>

namespace kreslix {

// The system clipboard as the picture commands see it: one bitmap. On X11 this is the
// CLIPBOARD selection, served and read through QClipboard.

// Replaces the clipboard's whole content with the image. The pixels are shared, not copied:
// the first later change of the image pays for its own copy. Other programs are offered the
// image at its full size as image/png, encoded from now on off the window's thread, and as
// image/bmp (see clipboard_offer.h); the window never waits for another program's request.
void publishClipboardImage(const QImage& image);

// Whether the clipboard offers an image in a type that can be read. Read through QClipboard, on
// the window's thread: meant for this process's own content and clipboards kept in this process
// (another program's content is read by ClipboardReader, off the window's thread).
bool clipboardOffersImage();

// The clipboard's image, decoded, through QClipboard as above; fails with "Unsupported clipboard format" when the image
// type offered delivers no decodable image (damaged data, an owner gone or silent), and with the
// picture-size message when the image is larger than a picture may be.
QImage readClipboardImage();

}  // namespace kreslix
