#include "dialogs/screen_centre.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace kreslix {
namespace {

QMargins frameMargins(const QWidget* widget) {
    const QWindow* handle = widget->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

}  // namespace

void centreOnScreen(QWidget* dialog) {
    const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : dialog;
    const QScreen* screen = owner->screen();
    if (!screen)
        return;
    // A window manager frames a window only once it is on the screen, so at the first showing
    // the frame is not known yet; the frame of the window it belongs to, from the same window
    // manager, stands in for it.
    QMargins frame = frameMargins(dialog);
    if (frame.isNull() && owner != dialog)
        frame = frameMargins(owner);
    const QSize outer = dialog->size().grownBy(frame);
    const QRect area = screen->geometry();
    const QPoint outerTopLeft(area.x() + (area.width() - outer.width()) / 2,
                              area.y() + (area.height() - outer.height()) / 2);
    dialog->setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), dialog->size()));
}

}  // namespace kreslix
