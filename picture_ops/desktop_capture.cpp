#include "picture_ops/desktop_capture.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace kreslix {

namespace {

// How long the windows get to repaint what a just-closed menu covered; the screen itself keeps
// the menu's pixels until they do.
constexpr int kSettleMs = 150;

}  // namespace

QImage captureDesktop() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    QEventLoop settle;
    QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
    settle.exec(QEventLoop::ExcludeUserInputEvents);
    return screen->grabWindow(0).toImage();
}

}  // namespace kreslix
