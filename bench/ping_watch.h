#pragma once
// The window manager's view of a program's responsiveness, for the responsiveness bench: pings
// sent to its window, and a clipboard owner that never answers.
#include <poll.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

// Included after every Qt header: Xlib's macros (Bool, Status) clash with Qt's.
#include <X11/Xlib.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Sends the pings from a connection of its own and times the answers, which the program sends
// to the root window.
class Pinger {
public:
    Pinger(const char* display, Window window) : window_(window) {
        dpy_ = XOpenDisplay(display);
        ping_ = XInternAtom(dpy_, "_NET_WM_PING", False);
        protocols_ = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        // Qt answers to the root window for StructureNotify and SubstructureRedirect listeners;
        // the latter is the window manager's alone.
        XSelectInput(dpy_, DefaultRootWindow(dpy_), StructureNotifyMask);
        thread_ = std::thread([this] { run(); });
    }
    ~Pinger() {
        stop_ = true;
        thread_.join();
        XCloseDisplay(dpy_);
    }
    // Forgets the waits so far: pings still unanswered count from now.
    void reset() {
        const std::lock_guard lock(mutex_);
        longest_ = 0;
        answered_ = 0;
        for (auto& [serial, sent] : pending_)
            sent = Clock::now();
    }
    long answered() {
        const std::lock_guard lock(mutex_);
        return answered_;
    }
    // Whether every ping sent more than 100 ms ago has been answered.
    bool answering() {
        const std::lock_guard lock(mutex_);
        const auto now = Clock::now();
        for (const auto& [serial, sent] : pending_) {
            if (msBetween(sent, now) > 100)
                return false;
        }
        return true;
    }
    // The longest wait since the reset, counting pings still unanswered.
    double longest() {
        const std::lock_guard lock(mutex_);
        double result = longest_;
        const auto now = Clock::now();
        for (const auto& [serial, sent] : pending_)
            result = std::max(result, msBetween(sent, now));
        return result;
    }

private:
    void run() {
        long serial = 0;
        auto next = Clock::now();
        while (!stop_) {
            if (Clock::now() >= next) {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = window_;
                event.xclient.message_type = protocols_;
                event.xclient.format = 32;
                event.xclient.data.l[0] = long(ping_);
                event.xclient.data.l[1] = ++serial;
                event.xclient.data.l[2] = long(window_);
                {
                    const std::lock_guard lock(mutex_);
                    pending_[serial] = Clock::now();
                }
                XSendEvent(dpy_, window_, False, NoEventMask, &event);
                XFlush(dpy_);
                next += std::chrono::milliseconds(20);
            }
            pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&fd, 1, 5);
            while (XPending(dpy_)) {
                XEvent event;
                XNextEvent(dpy_, &event);
                if (event.type != ClientMessage || Atom(event.xclient.data.l[0]) != ping_)
                    continue;
                const std::lock_guard lock(mutex_);
                const auto found = pending_.find(event.xclient.data.l[1]);
                if (found == pending_.end())
                    continue;
                longest_ = std::max(longest_, msBetween(found->second, Clock::now()));
                pending_.erase(found);
                ++answered_;
            }
        }
    }

    Display* dpy_;
    Window window_;
    Atom ping_, protocols_;
    std::mutex mutex_;
    std::map<long, Clock::time_point> pending_;
    double longest_ = 0;
    long answered_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A client that takes the CLIPBOARD selection and never answers a request for it.
class HungOwner {
public:
    explicit HungOwner(const char* display) {
        dpy_ = XOpenDisplay(display);
        window_ = XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(dpy_, XInternAtom(dpy_, "CLIPBOARD", False), window_, CurrentTime);
        XSync(dpy_, False);  // the requests then pile up unread on this connection
    }
    ~HungOwner() { XCloseDisplay(dpy_); }

private:
    Display* dpy_;
    Window window_;
};

}  // namespace bench
