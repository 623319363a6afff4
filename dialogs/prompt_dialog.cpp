#include "dialogs/prompt_dialog.h"

#include <QEvent>
#include <QTimer>

namespace kreslix {

void PromptDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        // From the event loop: the window manager finishes minimising before it can undo it.
        QTimer::singleShot(0, this, [this] {
            if (!isVisible())
                return;
            setWindowState(windowState() & ~Qt::WindowMinimized);
            raise();
            activateWindow();
        });
    }
}

}  // namespace kreslix
