#pragma once

#include <QDialog>

namespace kreslix {

// A prompt that closes only through its own buttons: no close box, no system menu, and neither
// Escape nor a close request from the window system ends it.
class ButtonOnlyDialog : public QDialog {
    Q_OBJECT

public:
    explicit ButtonOnlyDialog(QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace kreslix
