#pragma once
// The program under the responsiveness bench: started on an Xvfb of the bench's own, found by
// its window, driven by XTest keys, and read from and offered to by xclip.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <memory>
#include <string>

#include "bench/ping_watch.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace bench {

class ProgramOnDisplay {
public:
    bool startDisplay() {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForReadyRead(20000))
            return false;
        display_ =
            (QStringLiteral(":") + QString::fromLatin1(xvfb_.readLine().trimmed())).toStdString();
        dpy_ = XOpenDisplay(display_.c_str());
        return dpy_ != nullptr;
    }
    ~ProgramOnDisplay() {
        stopProgram();
        if (dpy_)
            XCloseDisplay(dpy_);
        xvfb_.kill();
        xvfb_.waitForFinished(5000);
    }

    // Starts the program, with a picture file when given, and waits for its window.
    bool startProgram(const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display_));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        program_.setProcessEnvironment(environment);
        program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program_.start(program, arguments);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 60000) {
            window_ = findWindow("Kreslix (32bit) - ");
            if (window_ && hasPingProtocol(window_)) {
                pinger_ = std::make_unique<Pinger>(display_.c_str(), window_);
                settle(500);
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
    void stopProgram() {
        pinger_.reset();
        program_.kill();
        program_.waitForFinished(10000);
        window_ = 0;
    }

    void key(const char* keysym, bool control = false) {
        XSetInputFocus(dpy_, window_, RevertToParent, CurrentTime);
        tap(keysym, control);
    }
    void tap(const char* keysym, bool control = false, bool shift = false) {
        const KeyCode ctrl = XKeysymToKeycode(dpy_, XK_Control_L);
        const KeyCode shiftCode = XKeysymToKeycode(dpy_, XK_Shift_L);
        const KeyCode code = XKeysymToKeycode(dpy_, XStringToKeysym(keysym));
        if (control)
            XTestFakeKeyEvent(dpy_, ctrl, True, CurrentTime);
        if (shift)
            XTestFakeKeyEvent(dpy_, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
        if (shift)
            XTestFakeKeyEvent(dpy_, shiftCode, False, CurrentTime);
        if (control)
            XTestFakeKeyEvent(dpy_, ctrl, False, CurrentTime);
        XFlush(dpy_);
    }
    // Types a path into whatever has the focus.
    void type(const QString& text) {
        for (const QChar c : text) {
            const char* name = c == u'/'   ? "slash"
                               : c == u'.' ? "period"
                               : c == u'-' ? "minus"
                               : c == u'_' ? "underscore"
                                           : nullptr;
            const QByteArray letter = QString(c.toLower()).toLatin1();
            tap(name ? name : letter.constData(), false, c.isUpper() || c == u'_');
        }
    }

    Window clipboardOwner() {
        return XGetSelectionOwner(dpy_, XInternAtom(dpy_, "CLIPBOARD", False));
    }
    // Waits until the clipboard's owner is no longer `before`.
    bool waitForOwnerChange(Window before, int timeoutMs) {
        QElapsedTimer timer;
        timer.start();
        while (clipboardOwner() == before && timer.elapsed() < timeoutMs)
            QThread::msleep(2);
        return clipboardOwner() != before;
    }
    std::string windowName(Window w) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        std::string name;
        if (XGetWindowProperty(dpy_, w, XInternAtom(dpy_, "_NET_WM_NAME", False), 0, 1024, False,
                               XInternAtom(dpy_, "UTF8_STRING", False), &type, &format, &count,
                               &after, &data) == Success &&
            data) {
            name.assign(reinterpret_cast<char*>(data), count);
        }
        if (data)
            XFree(data);
        return name;
    }
    Window findWindow(const char* prefix, Window except = 0) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &count))
            return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes;
            if (children[i] != except && XGetWindowAttributes(dpy_, children[i], &attributes) &&
                attributes.map_state == IsViewable && windowName(children[i]).rfind(prefix, 0) == 0)
                found = children[i];
        }
        if (children)
            XFree(children);
        return found;
    }
    bool hasPingProtocol(Window w) {
        Atom* protocols = nullptr;
        int count = 0;
        bool found = false;
        if (XGetWMProtocols(dpy_, w, &protocols, &count)) {
            for (int i = 0; i < count; ++i)
                found = found || protocols[i] == XInternAtom(dpy_, "_NET_WM_PING", False);
            XFree(protocols);
        }
        return found;
    }

    // xclip reading one type of the clipboard to its end; returns the bytes' count.
    qint64 xclipRead(const char* type) {
        QProcess xclip;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display_));
        xclip.setProcessEnvironment(environment);
        xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard", "-t", type});
        qint64 bytes = 0;
        while (xclip.state() != QProcess::NotRunning || xclip.bytesAvailable()) {
            xclip.waitForReadyRead(100);
            bytes += xclip.readAllStandardOutput().size();
        }
        return bytes;
    }
    // xclip offering a file as one type until another client takes the clipboard.
    void xclipOffer(QProcess& xclip, const char* type, const QString& path) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display_));
        xclip.setProcessEnvironment(environment);
        const Window before = clipboardOwner();
        xclip.start(QStringLiteral("xclip"),
                    {"-quiet", "-selection", "clipboard", "-t", type, "-i", path});
        waitForOwnerChange(before, 20000);
    }
    // Waits at least `leastMs`, then until the window answers again, at most `mostMs` in all;
    // false when it still does not answer.
    bool settle(int leastMs, int mostMs = 60000) {
        QElapsedTimer timer;
        timer.start();
        QThread::msleep(leastMs);
        while (!pinger_->answering() && timer.elapsed() < mostMs)
            QThread::msleep(10);
        return pinger_->answering();
    }
    void focus(Window w) {
        XSetInputFocus(dpy_, w, RevertToParent, CurrentTime);
        XFlush(dpy_);
    }
    const char* display() const { return display_.c_str(); }
    Pinger& pinger() { return *pinger_; }
    Window window() const { return window_; }

private:
    QProcess xvfb_;
    QProcess program_;
    std::string display_;
    Display* dpy_ = nullptr;
    Window window_ = 0;
    std::unique_ptr<Pinger> pinger_;
};

}  // namespace bench
