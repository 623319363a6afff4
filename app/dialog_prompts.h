#pragma once

#include <QPointer>
#include <QWidget>

#include "common/prompts.h"

class QColorDialog;

namespace kreslix {

// The real dialogs behind the Prompts interface.
class DialogPrompts : public Prompts {
public:
    DialogPrompts();
    ~DialogPrompts() override;

    // The window the dialogs belong to; set once the main window exists.
    void setWindow(QWidget* window);

    void showError(const QString& text) override;
    void beep() override;
    std::optional<Colour> chooseColour(Colour preset) override;

private:
    QPointer<QWidget> window_;
    QColorDialog* colourDialog_ = nullptr;  // `ColorDialog1`, kept for the whole run
};

}  // namespace kreslix
