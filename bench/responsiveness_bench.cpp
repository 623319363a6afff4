// How long the real program's window stops answering while it works with other programs or
// large files, watched as a window manager watches it: a _NET_WM_PING client message is sent to
// the main window every 20 ms and the program's event loop answers each one; the longest wait
// for an answer is the longest freeze. Runs on an Xvfb of its own, with xclip as the other
// program, and prints one row per case:
//   serving image/png and image/bmp of a 12- and a 48-Mpx picture to `xclip -o` right after
//   Copy; Cut after Copy (48 Mpx); a paste while the clipboard's owner never answers (a client
//   of this bench's own); a paste of a 48-Mpx PNG offered by xclip; Open of a 48-Mpx
//   progressive JPEG (made with cjpeg -progressive) through the file dialog.
// Usage: responsiveness_bench [PROGRAM]
#include <poll.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "picture_ops/clipboard_offer.h"
#include "picture_ops/png_strips.h"

// Xlib after Qt: its macros (Bool, Status) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

QImage photoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double fx = x / 700.0, fy = y / 500.0;
            seed = seed * 1664525u + 1013904223u;
            const int noise = int((seed >> 24) & 7) - 4;
            auto clamp = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
            row[x] = qRgb(clamp(128 + 60 * std::sin(fx) + 40 * std::cos(fy * 1.3) + noise),
                          clamp(128 + 50 * std::sin(fx * 0.7 + fy) + noise / 2),
                          clamp(128 + 70 * std::cos(fy * 0.9) - noise));
        }
    }
    return image;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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

class Bench {
public:
    bool startDisplay() {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForReadyRead(20000))
            return false;
        display_ = ":" + xvfb_.readLine().trimmed().toStdString();
        dpy_ = XOpenDisplay(display_.c_str());
        return dpy_ != nullptr;
    }
    ~Bench() {
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

void report(const char* what, Pinger& pinger, double durationMs, const char* note = "") {
    const double gapMs = pinger.longest();
    std::printf("%-44s longest gap %7.0f ms  (%6.0f ms in all, %4ld pings answered)%s%s\n", what,
                gapMs, durationMs, pinger.answered(), gapMs <= 200 ? "" : "  > 200 ms", note);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Windows come and go while the bench looks at them: their errors are not the bench's.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const QString program =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KRESLIX_PROGRAM);
    for (const char* tool : {"Xvfb", "xclip", "cjpeg"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            std::printf("%s is not installed\n", tool);
            return 1;
        }
    }
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kreslix-bench-XXXXXX"));
    Bench bench;
    if (!folder.isValid() || !bench.startDisplay()) {
        std::printf("no display\n");
        return 1;
    }
    std::printf("preparing pictures...\n");
    std::fflush(stdout);
    const QString picture12 = folder.filePath(QStringLiteral("picture12.bmp"));
    const QString picture48 = folder.filePath(QStringLiteral("picture48.bmp"));
    const QString png48 = folder.filePath(QStringLiteral("picture48.png"));
    const QString ppm48 = folder.filePath(QStringLiteral("picture48.ppm"));
    const QString jpeg48 = folder.filePath(QStringLiteral("progressive48.jpg"));
    {
        const QImage small = photoLike(4000, 3000);
        writeBytes(picture12, kreslix::encodeBmp(small));
        const QImage large = photoLike(8000, 6000);
        writeBytes(picture48, kreslix::encodeBmp(large));
        writeBytes(png48, kreslix::encodePngInStrips(large));
        large.convertToFormat(QImage::Format_RGB888).save(ppm48, "PPM");
        QProcess cjpeg;
        cjpeg.setStandardOutputFile(jpeg48);
        cjpeg.start(QStringLiteral("cjpeg"), {"-progressive", "-quality", "90", ppm48});
        cjpeg.waitForFinished(300000);
        QFile::remove(ppm48);
    }

    // Serving: Copy, then xclip asks at once, while the bytes may still be in the making.
    const bool quick = argc > 2;  // only the 12-Mpx serving, for a quick look
    for (const auto& [name, path] :
         {std::pair{"12 Mpx", picture12}, std::pair{"48 Mpx", picture48}}) {
        if (quick && std::string(name) != "12 Mpx")
            return 0;
        if (!bench.startProgram(program, {path})) {
            std::printf("the program did not show its window\n");
            return 1;
        }
        for (const char* type : {kreslix::ClipboardOffer::kPng, kreslix::ClipboardOffer::kBmp}) {
            const Window before = bench.clipboardOwner();
            bench.pinger().reset();
            const auto start = Clock::now();
            bench.key("c", true);
            bench.waitForOwnerChange(before, 20000);
            const qint64 bytes = bench.xclipRead(type);
            bench.settle(300);
            const std::string what = std::string("serve ") + type + " " + name + " to xclip";
            report(what.c_str(), bench.pinger(), msBetween(start, Clock::now()),
                   bytes > 0 ? "" : "  (xclip got nothing)");
            // Another program takes the clipboard, so that the next Copy is seen to arrive.
            QProcess text;
            bench.xclipOffer(text, "UTF8_STRING", path);
            text.kill();
            text.waitForFinished();
        }
        if (std::string(name) == "48 Mpx") {
            bench.key("c", true);
            bench.settle(1500);
            bench.pinger().reset();
            const auto start = Clock::now();
            bench.key("x", true);
            bench.settle(300);
            report("Cut after Copy 48 Mpx", bench.pinger(), msBetween(start, Clock::now()));
        }
        bench.stopProgram();
    }

    // A 48-Mpx PNG pasted from xclip.
    {
        bench.startProgram(program, {});
        QProcess xclip;
        bench.xclipOffer(xclip, kreslix::ClipboardOffer::kPng, png48);
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.key("v", true);
        // Watched for 8 s at least, as the paste may go on while the window answers.
        bench.settle(8000);
        report("paste of a 48-Mpx PNG from xclip", bench.pinger(), msBetween(start, Clock::now()));
        xclip.kill();
        xclip.waitForFinished();
        bench.stopProgram();
    }

    // A paste while the clipboard's owner never answers.
    {
        bench.startProgram(program, {});
        HungOwner owner(bench.display());
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.key("v", true);
        const bool answering = bench.settle(1000, 20000);
        report("paste from an owner that never answers", bench.pinger(),
               msBetween(start, Clock::now()), answering ? "" : "  (still frozen after 20 s)");
        bench.stopProgram();
    }

    // Open of a 48-Mpx progressive JPEG through the file dialog.
    {
        bench.startProgram(program, {});
        bench.key("o", true);
        QElapsedTimer timer;
        timer.start();
        Window dialog = 0;
        while (!dialog && timer.elapsed() < 20000) {
            QThread::msleep(100);
            // The dialog is the other top-level window with a name.
            dialog = bench.findWindow("", bench.window());
        }
        QThread::msleep(500);
        if (dialog)
            bench.focus(dialog);
        bench.type(jpeg48);
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.tap("Return");
        timer.restart();
        while (bench.findWindow("Kreslix (32bit) - progressive48.jpg") == 0 &&
               timer.elapsed() < 120000)
            QThread::msleep(20);
        bench.settle(300);
        report("Open of a 48-Mpx progressive JPEG", bench.pinger(), msBetween(start, Clock::now()),
               timer.elapsed() < 120000 ? "" : "  (the picture never showed)");
        bench.stopProgram();
    }
    return 0;
}
