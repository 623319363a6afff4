/* Finds top-level windows by title, takes screenshots and asks windows to close, on the X
 * display in $DISPLAY. There is no window manager under Xvfb, so everything is done with plain
 * Xlib calls and the WM_DELETE_WINDOW protocol.
 *
 *   x_window_tool find TITLE [TIMEOUT_MS]   prints "ID X Y WIDTH HEIGHT" of the shown window
 *   x_window_tool shot FILE.ppm            writes the whole screen as a binary PPM
 *   x_window_tool close ID                 sends WM_DELETE_WINDOW
 *   x_window_tool key ID KEYSYM [alt|ctrl] sends a key press and release to the window
 *   x_window_tool focus ID                 gives the window the keyboard focus, as a window
 *                                          manager does when the user picks a window
 *   x_window_tool type ID TEXT             sends the keys that type TEXT to the window
 *   x_window_tool click X Y                clicks the left button at (X, Y) of the screen, as a
 *                                          real pointer does (XTest): grabs and popups see it
 */
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int title_is(Display* display, Window window, const char* title) {
    Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    int same = 0;
    if (XGetWindowProperty(display, window, net_wm_name, 0, 4096, False, utf8, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        same = type == utf8 && strlen(title) == count && memcmp(data, title, count) == 0;
        XFree(data);
        return same;
    }
    char* name = NULL;
    if (XFetchName(display, window, &name) && name) {
        same = strcmp(name, title) == 0;
        XFree(name);
    }
    return same;
}

static Window find_shown(Display* display, const char* title) {
    Window root_return, parent, *children = NULL;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root_return, &parent, &children,
                    &count)) {
        return 0;
    }
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && title_is(display, children[i], title)) {
            found = children[i];
        }
    }
    if (children)
        XFree(children);
    return found;
}

static int find(Display* display, const char* title, long timeout_ms) {
    const struct timespec pause = {0, 50 * 1000 * 1000};
    for (long waited = 0;; waited += 50) {
        Window window = find_shown(display, title);
        if (window) {
            XWindowAttributes attributes;
            Window child;
            int x, y;
            XGetWindowAttributes(display, window, &attributes);
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                  &child);
            printf("%lu %d %d %d %d\n", (unsigned long)window, x, y, attributes.width,
                   attributes.height);
            return 0;
        }
        if (waited >= timeout_ms)
            break;
        nanosleep(&pause, NULL);
    }
    fprintf(stderr, "no shown window titled \"%s\"\n", title);
    return 1;
}

static int shot(Display* display, const char* path) {
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, (unsigned)attributes.width,
                              (unsigned)attributes.height, AllPlanes, ZPixmap);
    if (!image) {
        fprintf(stderr, "cannot read the screen\n");
        return 1;
    }
    FILE* out = fopen(path, "wb");
    if (!out) {
        XDestroyImage(image);
        fprintf(stderr, "cannot create %s\n", path);
        return 1;
    }
    fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {(unsigned char)((p & image->red_mask) >> 16),
                                          (unsigned char)((p & image->green_mask) >> 8),
                                          (unsigned char)(p & image->blue_mask)};
            fwrite(rgb, 1, 3, out);
        }
    }
    XDestroyImage(image);
    return fclose(out) == 0 ? 0 : 1;
}

static int close_window(Display* display, Window window) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    return XSendEvent(display, window, False, NoEventMask, &event) ? 0 : 1;
}

static int send_keysym(Display* display, Window window, KeySym keysym, unsigned int state) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.time = CurrentTime;
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display, keysym);
    event.xkey.state = state;
    if (event.xkey.keycode == 0)
        return 1;
    /* A keysym on the second level of its key (":", "_") needs Shift. */
    if (XkbKeycodeToKeysym(display, (KeyCode)event.xkey.keycode, 0, 0) != keysym)
        event.xkey.state |= ShiftMask;
    event.type = KeyPress;
    int sent = XSendEvent(display, window, True, KeyPressMask, &event);
    event.type = KeyRelease;
    sent = sent && XSendEvent(display, window, True, KeyReleaseMask, &event);
    return sent ? 0 : 1;
}

static int send_key(Display* display, Window window, const char* keysym_name,
                    const char* modifier) {
    const KeySym keysym = XStringToKeysym(keysym_name);
    if (keysym == NoSymbol) {
        fprintf(stderr, "unknown key %s\n", keysym_name);
        return 1;
    }
    unsigned int state = 0;
    if (modifier && strcmp(modifier, "alt") == 0)
        state = Mod1Mask;
    else if (modifier && strcmp(modifier, "ctrl") == 0)
        state = ControlMask;
    return send_keysym(display, window, keysym, state);
}

/* Printable ASCII only: its keysyms equal its character codes. */
static int type_text(Display* display, Window window, const char* text) {
    for (const char* c = text; *c; ++c) {
        if (*c < 0x20 || *c > 0x7e || send_keysym(display, window, (KeySym)*c, 0) != 0) {
            fprintf(stderr, "cannot type character 0x%02x\n", (unsigned char)*c);
            return 1;
        }
        XSync(display, False);
    }
    return 0;
}

static int focus(Display* display, Window window) {
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    return 0;
}

static int click(Display* display, int x, int y) {
    int event_base, error_base, major, minor;
    if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        fprintf(stderr, "the display has no XTest extension\n");
        return 1;
    }
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    return 0;
}

int main(int argc, char* argv[]) {
    if (argc < 3) {
        fprintf(stderr,
                "usage: %s find TITLE [MS] | shot FILE | close ID | key ID KEYSYM [alt|ctrl] | "
                "focus ID | type ID TEXT | click X Y\n",
                argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    int status = 2;
    if (strcmp(argv[1], "find") == 0) {
        status = find(display, argv[2], argc > 3 ? atol(argv[3]) : 0);
    } else if (strcmp(argv[1], "shot") == 0) {
        status = shot(display, argv[2]);
    } else if (strcmp(argv[1], "close") == 0) {
        status = close_window(display, (Window)strtoul(argv[2], NULL, 10));
    } else if (strcmp(argv[1], "key") == 0 && argc > 3) {
        status = send_key(display, (Window)strtoul(argv[2], NULL, 10), argv[3],
                          argc > 4 ? argv[4] : NULL);
    } else if (strcmp(argv[1], "focus") == 0) {
        status = focus(display, (Window)strtoul(argv[2], NULL, 10));
    } else if (strcmp(argv[1], "type") == 0 && argc > 3) {
        status = type_text(display, (Window)strtoul(argv[2], NULL, 10), argv[3]);
    } else if (strcmp(argv[1], "click") == 0 && argc > 3) {
        status = click(display, atoi(argv[2]), atoi(argv[3]));
    }
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
