#pragma once

#include <QIcon>

namespace kreslix::glyphs {

// The button-bar pictures, drawn here so the program needs no image files.
QIcon newPicture();
QIcon open();
QIcon save();
QIcon print();
QIcon cut();
QIcon copy();
QIcon paste();

}  // namespace kreslix::glyphs
