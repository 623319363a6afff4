#pragma once

#include <QImage>

namespace kreslix {

// Whether the screen belongs to a Wayland compositor: the program runs on Qt's Wayland
// platform, or as an X11 client of XWayland, whose root window holds none of the screen's
// content (WAYLAND_DISPLAY or XDG_SESSION_TYPE=wayland say so, as do XWayland's output names).
bool onWaylandSession();

// What the primary screen shows now, at the screen's size in device pixels: grabbed from the
// root window on an X11 session, through the desktop portal on a Wayland session (see
// portalScreenshot, whose failures it passes on). A null image where the platform gives no
// capture (no screen).
QImage captureScreenNow();

// The same, once the windows have had the time to repaint what a just-closed menu covered.
QImage captureDesktop();

}  // namespace kreslix
