#pragma once

#include <QPoint>
#include <QPointF>

namespace kreslix {

// How the picture lies on the screen: its top-left corner in the window (logical pixels), the
// screen's device pixel ratio and the zoom. A picture pixel of the view is `zoom` logical pixels
// wide, `zoom × ratio` device pixels.
struct PictureGeometry {
    QPoint origin;
    double deviceRatio = 1.0;
    double zoom = 1.0;
};

// The picture column shown at the centre of device column `device` of the window (counted from
// the window's left edge), and likewise for rows. Each screen pixel shows the picture pixel at
// its centre: the picture's painting and the mouse both go through this one mapping, so the
// pixel a press reaches is the one shown under the pointer at every ratio and zoom. Below 100 %
// a screen pixel covers several picture pixels and a press reaches the one at its centre.
// A centre on the edge between two picture pixels counts to the left or upper one (at 50 % a press
// reaches the top-left pixel of the 2 × 2 block a screen pixel shows). Left of and above the
// picture the result goes on into the negative. Saturates at the int range.
int pictureColumnAt(int device, double deviceRatio, int origin, double zoom);

// The device pixel of the window under a mouse position given as the event's unrounded position
// in the window (`QMouseEvent::scenePosition()`): the pixel whose area holds it. Qt's widget
// layer has already rounded `position()`, so that one cannot say.
int devicePixelAt(double scenePosition, double deviceRatio);

// The picture pixel shown under a mouse position.
QPoint picturePixelAt(QPointF scenePosition, const PictureGeometry& geometry);

}  // namespace kreslix
