#include "tests/dialogs/modal_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kreslix::testing {

void actOnModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QDialog* dialog = nullptr;
        const bool shown = QTest::qWaitFor(
            [&] {
                dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                return dialog && dialog->isVisible();
            },
            5000);
        if (!shown) {
            ADD_FAILURE() << "no modal dialog was shown";
            return;
        }
        // Keys go to the focused widget, which the dialog has once it is the active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog->done(-1);
        }
    });
}

void clickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QLatin1String(name));
    if (!button) {
        ADD_FAILURE() << "no button " << name;
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace kreslix::testing
