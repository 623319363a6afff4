#include "picture_ops/desktop_capture.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "picture_ops/portal_screenshot.h"

namespace kreslix {

namespace {

// How long the windows get to repaint what a just-closed menu covered; the screen itself keeps
// the menu's pixels until they do.
constexpr int kSettleMs = 150;

}  // namespace

bool onWaylandSession() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb"))
        return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
           (screen && screen->name().startsWith(QLatin1String("XWAYLAND")));
}

QImage captureScreenNow() {
    // XWayland's root window is empty: a grab there gives black, never the screen.
    if (onWaylandSession())
        return portalScreenshot();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

QImage captureDesktop() {
    QEventLoop settle;
    QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
    settle.exec(QEventLoop::ExcludeUserInputEvents);
    return captureScreenNow();
}

}  // namespace kreslix
