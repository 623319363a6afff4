#include "tests/dialogs/modal_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <vector>

namespace kreslix::testing {

namespace {

// Scripted actions wait in the event queue for the event loop of the dialog they act on, each
// tied to a token object of its own. One still waiting when its test ends never ran: the dialog
// it was meant for was never shown modally. That fails the test, and its token is deleted, which
// drops the action so that it can't act in a later test.
class UnranActions : public ::testing::EmptyTestEventListener {
public:
    static UnranActions& instance() {
        static UnranActions* const listener = install();
        return *listener;
    }

    void add(QObject* token) { waiting_.push_back(token); }
    void ran(QObject* token) { std::erase(waiting_, token); }

    void OnTestEnd(const ::testing::TestInfo&) override {
        if (!waiting_.empty()) {
            ADD_FAILURE() << waiting_.size() << " scripted dialog action(s) never ran";
        }
        for (QObject* token : waiting_)
            delete token;
        waiting_.clear();
    }

private:
    // Failures raised by a listener count only if it hears of the test's end before the
    // printer that reports the result.
    static UnranActions* install() {
        auto* listener = new UnranActions;
        ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
        ::testing::TestEventListener* printer =
            listeners.Release(listeners.default_result_printer());
        listeners.Append(listener);
        if (printer)
            listeners.Append(printer);
        return listener;
    }

    std::vector<QObject*> waiting_;
};

}  // namespace

void actOnModal(std::function<void(QDialog&)> act) {
    auto* token = new QObject;
    UnranActions::instance().add(token);
    QTimer::singleShot(0, token, [token, act = std::move(act)] {
        UnranActions::instance().ran(token);
        token->deleteLater();
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
