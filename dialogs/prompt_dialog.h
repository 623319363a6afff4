#pragma once

#include <QDialog>

namespace kreslix {

// A modal dialog whose title bar carries no buttons unless `extraFlags` asks for them. Escape
// and a close request from the window system (a window manager that adds a close box anyway,
// or its close key) run `reject()`, which each dialog maps onto its own answer to "never mind".
// A window manager that minimises it anyway gets it back at once: a minimised modal dialog
// would leave the program blocked with nothing of it on the screen.
class PromptDialog : public QDialog {
    Q_OBJECT

public:
    explicit PromptDialog(QWidget* parent, Qt::WindowFlags extraFlags = {})
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | extraFlags) {
    }

protected:
    void changeEvent(QEvent* event) override;
};

}  // namespace kreslix
