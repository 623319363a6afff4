#pragma once

#include <QIcon>
#include <QPixmap>

namespace kreslix {

// The program's icon as drawn: 32 × 32 pixels in the sixteen standard colours.
QPixmap programIconPicture();

// The window icon: the 32-pixel picture, with 16- and 48-pixel sizes scaled from it.
QIcon programIcon();

}  // namespace kreslix
