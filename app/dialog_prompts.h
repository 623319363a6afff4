#pragma once

#include <QPointer>
#include <QWidget>

#include "common/prompts.h"

class QColorDialog;
class QFileDialog;

namespace kreslix {

class TNewBMPForm;
class TOknoUloz;
class Texistu;

// The real dialogs behind the Prompts interface. The forms are made once and kept for the run,
// so they remember what the user last chose in them.
class DialogPrompts : public Prompts {
public:
    DialogPrompts();
    ~DialogPrompts() override;

    // The main window the dialogs belong to.
    void setWindow(QWidget* window);
    // The forms made at start-up, after the main window.
    void setForms(TNewBMPForm* newPicture, TOknoUloz* saveChanges);

    void showError(const QString& text) override;
    void beep() override;
    void setBusy(bool busy) override;
    std::optional<Colour> chooseColour(Colour preset) override;
    ModalResult askSaveChanges() override;
    bool askOverwrite() override;
    std::optional<QString> chooseSaveFile() override;
    std::optional<QString> chooseOpenFile() override;
    std::optional<NewPictureAnswer> askNewPicture(const QString& widthText,
                                                  const QString& heightText) override;

private:
    QColorDialog* colourDialog();
    QFileDialog* openDialog();
    QFileDialog* saveDialog();

    QPointer<QWidget> window_;
    QColorDialog* colourDialog_ = nullptr;  // `ColorDialog1`, made at its first use
    QFileDialog* openDialog_ = nullptr;     // `OpenDialog1`, made at its first use
    QFileDialog* saveDialog_ = nullptr;     // `SaveDialog1`, made at its first use
    TNewBMPForm* newPicture_ = nullptr;     // `NewBMPForm`
    TOknoUloz* saveChanges_ = nullptr;      // `OknoUloz`
    Texistu* overwrite_ = nullptr;          // `existu`, made at its first use
};

}  // namespace kreslix
