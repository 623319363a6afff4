#ifndef KRESLIX_X_DROP_H
#define KRESLIX_X_DROP_H

#include <X11/Xlib.h>

/* Drags a text/uri-list onto the window at the screen point (x, y) and drops it there by the
 * XDND protocol, as a file manager does. Prints "accepted" or "refused" (the target's answer)
 * and returns 0, or returns 1 when the target does not answer. */
int drop_uri_list(Display* display, Window target, int x, int y, const char* uri_list);

#endif
