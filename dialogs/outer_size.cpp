#include "dialogs/outer_size.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace kreslix {
namespace {

// Fits the client area into the outer size whenever the window is shown or its frame may have
// changed (a window manager framing it moves its client area).
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer)
        : QObject(window), window_(window), outer_(outer) {
        window->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::WinIdChange)
            fit();
        return false;
    }

private:
    void fit() {
        const QWindow* handle = window_->windowHandle();
        const QMargins frame = handle ? handle->frameMargins() : QMargins();
        const QSize client = outer_.shrunkBy(frame).expandedTo(QSize(1, 1));
        if (window_->size() != client || window_->minimumSize() != client)
            window_->setFixedSize(client);
    }

    QWidget* window_;
    QSize outer_;
};

}  // namespace

void keepOuterSize(QWidget* window, QSize outer) {
    new OuterSizeKeeper(window, outer);
}

}  // namespace kreslix
