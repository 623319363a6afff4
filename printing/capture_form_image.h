#pragma once

#include <QImage>

class QWidget;

namespace kreslix {

// An image of `clientArea` and its visible children as the screen shows them now, at the
// screen's own pixel density: hidden children are absent, a scroll area shows only its visible
// part, and whatever nothing paints keeps the colour of button faces. Throws std::bad_alloc
// when there is no memory for the image.
QImage CaptureFormImage(QWidget& clientArea);

}  // namespace kreslix
