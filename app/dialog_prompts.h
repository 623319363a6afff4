#pragma once

#include <QPointer>
#include <QWidget>

#include "common/prompts.h"

class QColorDialog;

namespace kreslix {

class TAboutBox;
class FileDialog;
class TNewBMPForm;
class TOknoUloz;
class TOknoZmaz;
class Texistu;
class Tvlastnosti;

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
    void setInformationForms(TAboutBox* about, Tvlastnosti* properties);
    void setClearPrompt(TOknoZmaz* clearPicture) { clearPicture_ = clearPicture; }

    void showError(const QString& text) override;
    void beep() override;
    void setBusy(bool busy) override;
    bool runLongWork(const QString& title, const LongJob& job) override;
    std::optional<Colour> chooseColour(Colour preset) override;
    ModalResult askSaveChanges() override;
    bool askOverwrite() override;
    std::optional<QString> chooseSaveFile() override;
    std::optional<QString> chooseOpenFile() override;
    std::optional<NewPictureAnswer> askNewPicture(const QString& widthText,
                                                  const QString& heightText) override;
    QString openDialogFileName() const override { return openedFileName_; }
    void showPictureProperties(const PictureProperties& properties) override;
    void showAbout(const QString& memoryFigure) override;
    bool setUpPrinter(QPrinter& printer) override;
    void showMessage(const QString& text) override;
    ClearAnswer askClearPicture() override;

private:
    QColorDialog* colourDialog();
    FileDialog* openDialog();
    FileDialog* saveDialog();

    QPointer<QWidget> window_;
    QColorDialog* colourDialog_ = nullptr;  // `ColorDialog1`, made at its first use
    FileDialog* openDialog_ = nullptr;      // `OpenDialog1`, made at its first use
    FileDialog* saveDialog_ = nullptr;      // `SaveDialog1`, made at its first use
    TNewBMPForm* newPicture_ = nullptr;     // `NewBMPForm`
    TOknoUloz* saveChanges_ = nullptr;      // `OknoUloz`
    Texistu* overwrite_ = nullptr;          // `existu`, made at its first use
    TAboutBox* about_ = nullptr;            // `AboutBox`
    Tvlastnosti* properties_ = nullptr;     // `vlastnosti`
    QString openedFileName_;                // the name last chosen in `OpenDialog1`
    TOknoZmaz* clearPicture_ = nullptr;     // `OknoZmaz`
};

}  // namespace kreslix
