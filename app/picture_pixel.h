#pragma once

#include <QPoint>
#include <QPointF>

namespace kreslix {

// The picture pixel shown under a mouse position, given as the event's unrounded position in
// the window (`QMouseEvent::scenePosition()`) and the picture's top-left corner in the window.
// On a screen with a device pixel ratio above 1 a picture pixel is a block of screen pixels, and
// Qt shows at each screen pixel the picture pixel under that pixel's top-left corner; so the
// pixel under the mouse is the floor of the unrounded position, never its rounding (Qt's widget
// layer has already rounded `position()`). Left of and above the picture the floor goes on into
// the negative: -0.5 is pixel -1. Positions beyond the int range saturate.
QPoint picturePixelAt(QPointF scenePosition, QPoint pictureOrigin);

}  // namespace kreslix
