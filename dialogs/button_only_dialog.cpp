#include "dialogs/button_only_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace kreslix {

void ButtonOnlyDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void ButtonOnlyDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace kreslix
