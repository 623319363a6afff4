#include "app/dialog_prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QMessageBox>

#include "app/application_title.h"
#include "app/file_dialogs.h"
#include "app/long_work_runner.h"
#include "dialogs/OkUloz.h"
#include "dialogs/about.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/existuje.h"
#include "dialogs/novyd.h"
#include "dialogs/spin_edit.h"
#include "dialogs/vlast.h"
#include "dialogs/zmz.h"
#include "printing/printing_commands.h"

namespace kreslix {

DialogPrompts::DialogPrompts() = default;
DialogPrompts::~DialogPrompts() = default;

void DialogPrompts::setWindow(QWidget* window) {
    window_ = window;
}

// Qt's standard dialogs are made at their first use and kept from then on. Made at start-up,
// they took longer than the whole main window (icons, fonts), and each file dialog began
// reading the working folder and looking up the type of every file in it.
QColorDialog* DialogPrompts::colourDialog() {
    if (!colourDialog_) {
        colourDialog_ = new QColorDialog(window_);
        colourDialog_->setObjectName(QStringLiteral("ColorDialog1"));
    }
    return colourDialog_;
}

FileDialog* DialogPrompts::openDialog() {
    if (!openDialog_)
        openDialog_ = makeOpenDialog(window_);
    return openDialog_;
}

FileDialog* DialogPrompts::saveDialog() {
    if (!saveDialog_)
        saveDialog_ = makeSaveDialog(window_);
    return saveDialog_;
}

void DialogPrompts::setForms(TNewBMPForm* newPicture, TOknoUloz* saveChanges) {
    newPicture_ = newPicture;
    saveChanges_ = saveChanges;
}

void DialogPrompts::setInformationForms(TAboutBox* about, Tvlastnosti* properties) {
    about_ = about;
    properties_ = properties;
}

void DialogPrompts::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, window_);
    // A file name such as a<b>x</b>.bmp is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void DialogPrompts::beep() {
    QApplication::beep();
}

void DialogPrompts::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

bool DialogPrompts::runLongWork(const QString& title, const LongJob& job) {
    return runLongWorkWaiting(window_, title, job);
}

std::optional<Colour> DialogPrompts::chooseColour(Colour preset) {
    return runColourDialog(colourDialog(), preset);
}

ModalResult DialogPrompts::askSaveChanges() {
    return static_cast<ModalResult>(saveChanges_->exec());
}

bool DialogPrompts::askOverwrite() {
    if (!overwrite_)
        overwrite_ = new Texistu(window_);
    overwrite_->exec();
    return overwrite_->replaceChosen();
}

std::optional<QString> DialogPrompts::chooseSaveFile() {
    const QString path = saveDialog()->run();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> DialogPrompts::chooseOpenFile() {
    const QString path = openDialog()->run();
    if (path.isEmpty())
        return std::nullopt;
    openedFileName_ = path;
    return path;
}

std::optional<NewPictureAnswer> DialogPrompts::askNewPicture(const QString& widthText,
                                                             const QString& heightText) {
    newPicture_->WidthEdit()->setText(widthText);
    newPicture_->HeightEdit()->setText(heightText);
    newPicture_->WidthEdit()->setFocus(Qt::OtherFocusReason);
    if (newPicture_->exec() == QDialog::Rejected)
        return std::nullopt;
    return NewPictureAnswer{newPicture_->WidthEdit()->text(), newPicture_->HeightEdit()->text(),
                            newPicture_->FPo()};
}

void DialogPrompts::showPictureProperties(const PictureProperties& properties) {
    properties_->fill(properties);
    properties_->exec();
}

void DialogPrompts::showAbout(const QString& memoryFigure) {
    about_->prepare(memoryFigure);
    about_->exec();
}

bool DialogPrompts::setUpPrinter(QPrinter& printer) {
    return printingCommands().runSetupDialog(printer, window_);
}

void DialogPrompts::showMessage(const QString& text) {
    // Without a parent the box is centred on the screen rather than on the window.
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

ClearAnswer DialogPrompts::askClearPicture() {
    const int result = clearPicture_->exec();
    const ClearAnswer answer{result == int(ModalResult::OK) && !clearPicture_->Zrusene,
                             clearPicture_->ZmazFarbou()->isChecked()};
    // The refusal has been read: the flag is false again whenever no clear is running.
    clearPicture_->Zrusene = false;
    return answer;
}

}  // namespace kreslix
