#pragma once

#include <QIcon>

class QPalette;

namespace kreslix::glyphs {

// The button-bar pictures, drawn here so the program needs no image files; their lines take
// the palette's button text colour.
QIcon newPicture(const QPalette& palette);
QIcon open(const QPalette& palette);
QIcon save(const QPalette& palette);
QIcon print(const QPalette& palette);
QIcon cut(const QPalette& palette);
QIcon copy(const QPalette& palette);
QIcon paste(const QPalette& palette);

}  // namespace kreslix::glyphs
