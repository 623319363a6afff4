#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

namespace kreslix::e2e {

// The headless Wayland desktop of scripts/wayland-session, which runs the test inside it
// (`wayland-session exec`): its tools (grim, wl-copy, wl-paste, swaymsg) reach the desktop
// through the environment the script gives.

// Why there is no desktop to test on; empty when there is one.
QString waylandDesktopMissing();

// Runs a tool to its end with `input` on its standard input and gives its standard output; the
// test fails when the tool does, unless `ok` is given to take the outcome.
QByteArray runDesktopTool(const QString& program, const QStringList& arguments,
                          const QByteArray& input = {}, bool* ok = nullptr);

// Whether the condition holds within the time, asked every 50 ms.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 15000);

// The whole screen as grim takes it, once it has stopped changing; null if it keeps changing.
QImage settledScreen();

// Whether the clipboard offers the type within the time.
bool clipboardOffers(const QString& type, int timeoutMs = 15000);
QByteArray clipboardData(const QString& type);
// Puts the data on the clipboard from wl-copy, as another program would.
void offerOnClipboard(const QString& type, const QByteArray& data);

// A window of the desktop, found by its title in sway's tree.
struct DesktopWindow {
    bool ok = false;
    QRect rect;     // its content on the screen
    QString appId;  // the Wayland app id, or the X11 class of an XWayland window
};
DesktopWindow findDesktopWindow(const QString& title, int timeoutMs = 0);

// Starts the program as the desktop's user: the portal serves only its own user's programs.
void startAsDesktopUser(QProcess& process, const QString& program, QProcessEnvironment environment);

}  // namespace kreslix::e2e
