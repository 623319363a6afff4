#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

namespace kreslix::e2e {

// The headless Wayland desktop of scripts/wayland-session, which runs the test inside it
// (`wayland-session exec`): its tools (grim, wl-copy, wl-paste, swaymsg) reach it through the
// environment the script gives.

// Why there is no desktop to test on; empty when there is one.
QString waylandDesktopMissing();

// Runs a tool to its end with `input` on its standard input and gives its standard output; the
// test fails when the tool does, unless `ok` is given to take the outcome.
QByteArray runDesktopTool(const QString& program, const QStringList& arguments,
                          const QByteArray& input = {}, bool* ok = nullptr);

// The whole screen, as grim takes it.
QImage grabScreen();
// The screen once it has stopped changing; null when it keeps changing.
QImage settledScreen();

// The types the clipboard offers now; none when it is empty.
QStringList clipboardTypes();
QByteArray clipboardData(const QString& type);
// Puts the data on the clipboard from wl-copy and waits until it is offered.
void offerOnClipboard(const QString& type, const QByteArray& data);
// Waits until the clipboard offers the type.
bool waitForClipboardType(const QString& type, int timeoutMs = 15000);

// A window of the desktop as sway sees it.
struct DesktopWindow {
    bool ok = false;
    QRect rect;     // the client area on the screen
    QString appId;  // the Wayland app id, or the X11 class for an XWayland window
};
// The window with that title, once it shows within the time.
DesktopWindow findDesktopWindow(const QString& title, int timeoutMs);
bool desktopWindowGone(const QString& title, int timeoutMs = 10000);

// Starts the program as the desktop's user, for whom the portal works: it serves the programs
// of the user it runs as only.
void startAsDesktopUser(QProcess& process, const QString& program, const QStringList& arguments,
                        QProcessEnvironment environment);

// Stops or starts the desktop portal by its process id.
void setPortalRunning(bool running);

}  // namespace kreslix::e2e
