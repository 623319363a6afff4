#include "dialogs/outer_size.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace kreslix {

OuterSizeKeeper::OuterSizeKeeper(QWidget* window, QSize outer)
    : QObject(window), window_(window), outer_(outer) {
    window->installEventFilter(this);
    fit();
}

void OuterSizeKeeper::setOuterSize(QSize outer) {
    outer_ = outer;
    fit();
}

// Fits the client area whenever the window is shown or its frame may have changed (a window
// manager framing it moves its client area).
bool OuterSizeKeeper::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::WinIdChange)
        fit();
    return false;
}

void OuterSizeKeeper::fit() {
    const QWindow* handle = window_->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    const QSize client = outer_.shrunkBy(frame).expandedTo(QSize(1, 1));
    if (window_->size() != client || window_->minimumSize() != client)
        window_->setFixedSize(client);
}

OuterSizeKeeper* keepOuterSize(QWidget* window, QSize outer) {
    return new OuterSizeKeeper(window, outer);
}

}  // namespace kreslix
