/* Finds top-level windows by title, takes screenshots and asks windows to close, on the X
 * display in $DISPLAY. There is no window manager under Xvfb, so everything is done with plain
 * Xlib calls and the WM_DELETE_WINDOW protocol; the mouse is moved by the XTEST extension, as
 * real input.
 *
 *   x_window_tool find TITLE [TIMEOUT_MS]   prints "ID X Y WIDTH HEIGHT" of the shown window
 *   x_window_tool shot FILE.ppm            writes the whole screen as a binary PPM
 *   x_window_tool close ID                 sends WM_DELETE_WINDOW
 *   x_window_tool key ID KEYSYM [alt|ctrl] sends a key press and release to the window
 *   x_window_tool text ID TEXT             sends the keys that type TEXT (printable ASCII)
 *   x_window_tool focus ID                 gives the window the keyboard focus, as a window
 *                                          manager does when the user picks a window
 *   x_window_tool click ID X Y             sends a left-button press and release at (X, Y)
 *   x_window_tool type ID KEY...           types keys through the XTEST extension, as a keyboard
 *                                          would, into the window: KEY is a keysym, optionally
 *                                          with "ctrl+", "alt+" or "shift+" in front
 *   x_window_tool drag X Y [X Y]...        presses the left button at the first screen point,
 *                                          moves through the others and releases (a click
 *                                          when only one is given), then parks the pointer in
 *                                          the screen's bottom-right corner, where no tooltip
 *                                          shows
 *   x_window_tool drop ID X Y URI...       drops the URIs on the window at the screen point by
 *                                          XDND; prints "accepted" or "refused"
 *   x_window_tool press X Y                puts the pointer on the screen point and presses
 *                                          the left button, which stays down
 *   x_window_tool motion X Y               moves the pointer to the screen point, in steps,
 *                                          with the buttons as they are
 *   x_window_tool release X Y              moves the pointer there and releases the left button
 *   x_window_tool ping ID [TIMEOUT_MS]     sends _NET_WM_PING, as a window manager does to find
 *                                          out whether a program still responds, and prints
 *                                          the milliseconds the window took to answer; fails
 *                                          when it does not answer within the time (1 s)
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

#include "x_drop.h"

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

// A top-level window, or one a window manager has put in a frame of its own (a child of a
// top-level window).
static Window find_shown_under(Display* display, Window parent_window, const char* title,
                               int depth) {
    Window root_return, parent, *children = NULL;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, parent_window, &root_return, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        if (title_is(display, children[i], title))
            found = children[i];
        else if (depth > 0)
            found = find_shown_under(display, children[i], title, depth - 1);
    }
    if (children)
        XFree(children);
    return found;
}

static Window find_shown(Display* display, const char* title) {
    return find_shown_under(display, DefaultRootWindow(display), title, 1);
}

// A window that goes away between listing the windows and asking about one of them (a menu
// closing as the program opens a dialog) is not the one looked for; only that error is
// ignored.
static int ignore_vanished_window(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow)
        return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "X error: %s\n", text);
    exit(1);
}

static int find(Display* display, const char* title, long timeout_ms) {
    const struct timespec pause = {0, 50 * 1000 * 1000};
    XSetErrorHandler(ignore_vanished_window);
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
                    unsigned int modifiers) {
    const KeySym keysym = XStringToKeysym(keysym_name);
    if (keysym == NoSymbol) {
        fprintf(stderr, "unknown key %s\n", keysym_name);
        return 1;
    }
    /* Without a window manager nothing gives the window the keyboard focus, and the program
     * takes keys for its shortcuts only in its active window. */
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    return send_keysym(display, window, keysym, modifiers);
}

/* Printable ASCII only: its keysyms equal its character codes. */
static int send_text(Display* display, Window window, const char* text) {
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

static void pause_ms(long ms) {
    const struct timespec pause = {0, ms * 1000 * 1000};
    nanosleep(&pause, NULL);
}

static void move_pointer(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    pause_ms(5);
}

static int drag(Display* display, int count, char* coordinates[]) {
    if (count < 2 || count % 2 != 0) {
        fprintf(stderr, "drag needs pairs of coordinates\n");
        return 2;
    }
    int x = atoi(coordinates[0]), y = atoi(coordinates[1]);
    move_pointer(display, x, y);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    for (int i = 2; i + 1 < count; i += 2) {
        const int to_x = atoi(coordinates[i]), to_y = atoi(coordinates[i + 1]);
        /* In steps of a few pixels, as a hand moves the mouse. */
        const int steps = (abs(to_x - x) > abs(to_y - y) ? abs(to_x - x) : abs(to_y - y)) / 4 + 1;
        for (int step = 1; step <= steps; ++step)
            move_pointer(display, x + (to_x - x) * step / steps, y + (to_y - y) * step / steps);
        x = to_x;
        y = to_y;
    }
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    pause_ms(20);
    move_pointer(display, DisplayWidth(display, DefaultScreen(display)) - 1,
                 DisplayHeight(display, DefaultScreen(display)) - 1);
    return 0;
}

/* The pointer's way to a screen point in steps of a few pixels, as a hand moves the mouse. */
static void move_in_steps(Display* display, int to_x, int to_y) {
    Window root = DefaultRootWindow(display), child;
    int x, y, window_x, window_y;
    unsigned int mask;
    XQueryPointer(display, root, &root, &child, &x, &y, &window_x, &window_y, &mask);
    const int steps = (abs(to_x - x) > abs(to_y - y) ? abs(to_x - x) : abs(to_y - y)) / 4 + 1;
    for (int step = 1; step <= steps; ++step)
        move_pointer(display, x + (to_x - x) * step / steps, y + (to_y - y) * step / steps);
}

/* A press jumps to its point, as drag does; a release ends the way from the last point. */
static int left_button(Display* display, const char* x, const char* y, int down) {
    if (down)
        move_pointer(display, atoi(x), atoi(y));
    else
        move_in_steps(display, atoi(x), atoi(y));
    XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
    XSync(display, False);
    pause_ms(20);
    return 0;
}

/* Wheel notches at a screen point with Ctrl held: up when positive, down when negative. */
static int control_wheel(Display* display, int x, int y, int notches) {
    move_pointer(display, x, y);
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    const unsigned button = notches > 0 ? 4 : 5;
    for (int i = 0; i < abs(notches); ++i) {
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XSync(display, False);
        pause_ms(50);
    }
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    XSync(display, False);
    pause_ms(250);
    return 0;
}

/* The URIs as one text/uri-list: each on a line of its own, ended by CR LF. */
static int drop(Display* display, int count, char* arguments[]) {
    if (count < 4) {
        fprintf(stderr, "drop needs ID X Y URI...\n");
        return 2;
    }
    char list[8192] = "";
    for (int i = 3; i < count; ++i) {
        if (strlen(list) + strlen(arguments[i]) + 3 > sizeof list)
            return 2;
        strcat(list, arguments[i]);
        strcat(list, "\r\n");
    }
    return drop_uri_list(display, (Window)strtoul(arguments[0], NULL, 10), atoi(arguments[1]),
                         atoi(arguments[2]), list);
}

static int click(Display* display, Window window, int x, int y) {
    Window child;
    int root_x, root_y;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &root_x, &root_y,
                          &child);
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xbutton.display = display;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.time = CurrentTime;
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.x_root = root_x;
    event.xbutton.y_root = root_y;
    event.xbutton.same_screen = True;
    event.xbutton.button = Button1;
    event.type = ButtonPress;
    int sent = XSendEvent(display, window, True, ButtonPressMask, &event);
    event.type = ButtonRelease;
    event.xbutton.state = Button1Mask;
    sent = sent && XSendEvent(display, window, True, ButtonReleaseMask, &event);
    return sent ? 0 : 1;
}

static const struct timespec kInputPause = {0, 250 * 1000 * 1000};

/* A pause after each key, so that a menu the key opens has taken the keyboard before the next. */
static int type_key(Display* display, const char* name) {
    static const struct {
        const char* prefix;
        const char* keysym;
    } modifiers[] = {{"ctrl+", "Control_L"}, {"alt+", "Alt_L"}, {"shift+", "Shift_L"}};
    KeyCode held[3];
    int count = 0;
    for (int again = 1; again;) {
        again = 0;
        for (unsigned i = 0; i < sizeof modifiers / sizeof *modifiers; ++i) {
            const size_t length = strlen(modifiers[i].prefix);
            if (strncmp(name, modifiers[i].prefix, length) == 0 && count < 3) {
                held[count++] = XKeysymToKeycode(display, XStringToKeysym(modifiers[i].keysym));
                name += length;
                again = 1;
            }
        }
    }
    const KeySym keysym = XStringToKeysym(name);
    if (keysym == NoSymbol) {
        fprintf(stderr, "unknown key %s\n", name);
        return 1;
    }
    const KeyCode code = XKeysymToKeycode(display, keysym);
    for (int i = 0; i < count; ++i)
        XTestFakeKeyEvent(display, held[i], True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    for (int i = count - 1; i >= 0; --i)
        XTestFakeKeyEvent(display, held[i], False, CurrentTime);
    XSync(display, False);
    nanosleep(&kInputPause, NULL);
    return 0;
}

static int type_keys(Display* display, Window window, int count, char* keys[]) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    for (int i = 0; i < count; ++i) {
        if (type_key(display, keys[i]) != 0)
            return 1;
    }
    return 0;
}

static long elapsed_ms(const struct timespec* since) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since->tv_sec) * 1000 + (now.tv_nsec - since->tv_nsec) / 1000000;
}

static int ping(Display* display, Window window, long timeout_ms) {
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom net_wm_ping = XInternAtom(display, "_NET_WM_PING", False);
    /* The answer goes to the root window, to the clients that watch its structure. */
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const long stamp = (long)(start.tv_nsec & 0x7fffffff);
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)net_wm_ping;
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = (long)window;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    const struct timespec pause = {0, 2000000};
    while (elapsed_ms(&start) < timeout_ms) {
        while (XPending(display)) {
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                (Atom)event.xclient.data.l[0] == net_wm_ping && event.xclient.data.l[1] == stamp) {
                printf("%ld\n", elapsed_ms(&start));
                return 0;
            }
        }
        nanosleep(&pause, NULL);
    }
    fprintf(stderr, "window %lu did not answer the ping within %ld ms\n", window, timeout_ms);
    return 1;
}

int main(int argc, char* argv[]) {
    if (argc < 3) {
        fprintf(stderr,
                "usage: %s find TITLE [MS] | shot FILE | close ID | key ID KEYSYM [alt|ctrl] | "
                "text ID TEXT | focus ID | click ID X Y | type ID KEY... | drag X Y [X Y]... | "
                "drop ID X Y URI... | press X Y | motion X Y | release X Y | ping ID [MS] | "
                "ctrl-wheel X Y NOTCHES\n",
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
        const char* modifier = argc > 4 ? argv[4] : "";
        status = send_key(display, (Window)strtoul(argv[2], NULL, 10), argv[3],
                          strcmp(modifier, "alt") == 0    ? Mod1Mask
                          : strcmp(modifier, "ctrl") == 0 ? ControlMask
                                                          : 0);
    } else if (strcmp(argv[1], "text") == 0 && argc > 3) {
        status = send_text(display, (Window)strtoul(argv[2], NULL, 10), argv[3]);
    } else if (strcmp(argv[1], "focus") == 0) {
        status = focus(display, (Window)strtoul(argv[2], NULL, 10));
    } else if (strcmp(argv[1], "click") == 0 && argc > 4) {
        status = click(display, (Window)strtoul(argv[2], NULL, 10), atoi(argv[3]), atoi(argv[4]));
    } else if (strcmp(argv[1], "type") == 0 && argc > 3) {
        status = type_keys(display, (Window)strtoul(argv[2], NULL, 10), argc - 3, argv + 3);
    } else if (strcmp(argv[1], "drag") == 0) {
        status = drag(display, argc - 2, argv + 2);
    } else if (strcmp(argv[1], "drop") == 0) {
        status = drop(display, argc - 2, argv + 2);
    } else if (strcmp(argv[1], "press") == 0 && argc > 3) {
        status = left_button(display, argv[2], argv[3], 1);
    } else if (strcmp(argv[1], "motion") == 0 && argc > 3) {
        move_in_steps(display, atoi(argv[2]), atoi(argv[3]));
        status = 0;
    } else if (strcmp(argv[1], "ctrl-wheel") == 0 && argc > 4) {
        status = control_wheel(display, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]));
    } else if (strcmp(argv[1], "release") == 0 && argc > 3) {
        status = left_button(display, argv[2], argv[3], 0);
    } else if (strcmp(argv[1], "ping") == 0) {
        status = ping(display, (Window)strtoul(argv[2], NULL, 10), argc > 3 ? atol(argv[3]) : 1000);
    }
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
