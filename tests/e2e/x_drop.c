/* The drag source side of XDND (version 5) for one drop: the tool owns the XdndSelection,
 * announces text/uri-list, moves to one point, drops when the target accepts, leaves when it
 * refuses, and hands the data over whenever the target asks for it. */
#include "x_drop.h"

#include <X11/Xatom.h>
#include <stdio.h>
#include <string.h>
#include <sys/select.h>

struct xdnd_atoms {
    Atom enter, position, status, drop, leave, finished, selection, copy, uri_list;
};

static void intern_atoms(Display* display, struct xdnd_atoms* a) {
    a->enter = XInternAtom(display, "XdndEnter", False);
    a->position = XInternAtom(display, "XdndPosition", False);
    a->status = XInternAtom(display, "XdndStatus", False);
    a->drop = XInternAtom(display, "XdndDrop", False);
    a->leave = XInternAtom(display, "XdndLeave", False);
    a->finished = XInternAtom(display, "XdndFinished", False);
    a->selection = XInternAtom(display, "XdndSelection", False);
    a->copy = XInternAtom(display, "XdndActionCopy", False);
    a->uri_list = XInternAtom(display, "text/uri-list", False);
}

static void send_message(Display* display, Window target, Atom type, long l0, long l1, long l2,
                         long l3, long l4) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

/* A server time stamp, from an empty change of a property of our own window: the selection
 * must be owned from a real time, not CurrentTime, for the target's requests to succeed. */
static Time server_time(Display* display, Window window) {
    XEvent event;
    XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeAppend,
                    (const unsigned char*)"", 0);
    XWindowEvent(display, window, PropertyChangeMask, &event);
    return event.xproperty.time;
}

static void answer_request(Display* display, const XSelectionRequestEvent* request,
                           const struct xdnd_atoms* a, const char* uri_list) {
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    const Atom property = request->property != None ? request->property : request->target;
    if (request->selection == a->selection && request->target == a->uri_list) {
        XChangeProperty(display, request->requestor, property, a->uri_list, 8, PropModeReplace,
                        (const unsigned char*)uri_list, (int)strlen(uri_list));
        reply.xselection.property = property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

/* The next event within the time left (which select counts down); 0 when none came. */
static int next_event(Display* display, XEvent* event, struct timeval* left) {
    while (!XPending(display)) {
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(display), &fds);
        if (select(ConnectionNumber(display) + 1, &fds, NULL, NULL, left) <= 0)
            return 0;
    }
    XNextEvent(display, event);
    return 1;
}

int drop_uri_list(Display* display, Window target, int x, int y, const char* uri_list) {
    struct xdnd_atoms a;
    intern_atoms(display, &a);
    const Window source =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, source, PropertyChangeMask);
    const Time now = server_time(display, source);
    XSetSelectionOwner(display, a.selection, source, now);
    if (XGetSelectionOwner(display, a.selection) != source) {
        fprintf(stderr, "cannot own the XdndSelection\n");
        return 1;
    }

    send_message(display, target, a.enter, (long)source, 5L << 24, (long)a.uri_list, None, None);
    send_message(display, target, a.position, (long)source, 0, ((long)x << 16) | y, (long)now,
                 (long)a.copy);
    struct timeval left = {15, 0};
    int accepted = -1;
    int finished = 0;
    XEvent event;
    while (!finished && next_event(display, &event, &left)) {
        if (event.type == SelectionRequest) {
            answer_request(display, &event.xselectionrequest, &a, uri_list);
        } else if (event.type == ClientMessage && event.xclient.message_type == a.status &&
                   accepted < 0) {
            accepted = event.xclient.data.l[1] & 1;
            if (accepted) {
                send_message(display, target, a.drop, (long)source, 0, (long)now, 0, 0);
            } else {
                send_message(display, target, a.leave, (long)source, 0, 0, 0, 0);
                finished = 1;
            }
        } else if (event.type == ClientMessage && event.xclient.message_type == a.finished) {
            accepted = event.xclient.data.l[1] & 1;
            finished = 1;
        }
    }
    XDestroyWindow(display, source);
    XFlush(display);
    if (!finished) {
        fprintf(stderr, "the window did not answer the drop\n");
        return 1;
    }
    puts(accepted ? "accepted" : "refused");
    return 0;
}
