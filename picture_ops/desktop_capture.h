#pragma once

#include <QImage>

namespace kreslix {

// What the primary screen shows now, at the screen's size; a null image where the platform
// gives no capture (Wayland, a platform without a screen).
QImage captureDesktop();

}  // namespace kreslix
