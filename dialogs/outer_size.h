#pragma once

#include <QSize>

class QWidget;

namespace kreslix {

// Gives a fixed-size window the outer size `outer`, frame and title bar included: its client
// area is what the window manager's frame leaves of that, and follows the frame as it becomes
// known (only once the window is shown). Without a frame, client and outer size are the same.
void keepOuterSize(QWidget* window, QSize outer);

}  // namespace kreslix
