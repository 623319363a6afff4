#pragma once

#include <QString>
#include <optional>

#include "canvas/colour.h"
#include "common/long_work.h"
#include "common/modal_result.h"

class QPrinter;

namespace kreslix {

// What the user filled in in the new-picture dialog.
struct NewPictureAnswer {
    QString widthText;
    QString heightText;
    Colour background;  // the colour of `FPo`
};

// The three texts of the picture-properties dialog.
struct PictureProperties {
    QString name;        // `MenoObr`
    QString widthText;   // `ObrSirka`
    QString heightText;  // `ObrVyska`

    bool operator==(const PictureProperties&) const = default;
};

// What the user answered in the clear-picture prompt `OknoZmaz`.
struct ClearAnswer {
    bool confirmed = false;       // "Áno"; "Nie" and every other way of closing refuse
    bool withForeground = false;  // `ZmazFarbou`: clear to the foreground colour
};

// Every modal question the program asks goes through this interface: the program shows the
// real dialogs, tests script the answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The error box: the text as given, the application title as caption, stop icon, one OK.
    virtual void showError(const QString& text) = 0;
    // The system's beep (the platform has one sound for the question and the default beep).
    virtual void beep() = 0;
    // The busy cursor over all the program's windows, and back to normal.
    virtual void setBusy(bool busy) = 0;
    // Runs `job` while the window waits as it does for a modal step. The window shows the busy
    // cursor at once and keeps repainting; Escape stops the job; after about half a second a
    // small modal progress window titled `title` shows how far it is, with "Zrušiť". Returns
    // true when the job ran to its end and false when the user stopped it (the job threw
    // WorkStopped); any other failure of the job is thrown again here. This runs the job on
    // the calling thread with nothing shown; the program's own prompts run it off the window's
    // thread.
    virtual bool runLongWork(const QString& title, const LongJob& job) {
        (void)title;
        SilentProgress progress;
        job(progress);
        return true;
    }
    // The colour dialog, preset with a colour; nothing when the user cancels.
    virtual std::optional<Colour> chooseColour(Colour preset) = 0;

    // `OknoUloz`: "Uložiť zmeny v dokumente ?" answered Yes, No or Cancel.
    virtual ModalResult askSaveChanges() = 0;
    // `existu`: true for "Áno" (replace the existing file), false for "Nie".
    virtual bool askOverwrite() = 0;
    // `SaveDialog1` and `OpenDialog1`: the chosen path, nothing when cancelled.
    virtual std::optional<QString> chooseSaveFile() = 0;
    virtual std::optional<QString> chooseOpenFile() = 0;
    // `NewBMPForm`, its size fields filled with the given texts; nothing when cancelled.
    virtual std::optional<NewPictureAnswer> askNewPicture(const QString& widthText,
                                                          const QString& heightText) = 0;
    // The full path last chosen in `OpenDialog1` in this run, empty before the first choice.
    virtual QString openDialogFileName() const = 0;
    // `vlastnosti` with these texts, until its "OK".
    virtual void showPictureProperties(const PictureProperties& properties) = 0;
    // `AboutBox` with this memory figure, until its "O.K.".
    virtual void showAbout(const QString& memoryFigure) = 0;
    // `NastavTlac`, the printer-setup dialog, started from `printer`; true for OK, with the
    // chosen printer and settings written into `printer`.
    virtual bool setUpPrinter(QPrinter& printer) = 0;

    // A plain message box: the text, the application title as caption, no icon, one OK,
    // centred on the screen.
    virtual void showMessage(const QString& text) = 0;
    // `OknoZmaz`: "Naozaj chcete obrázok zmazať?".
    virtual ClearAnswer askClearPicture() = 0;
};

// Shows the busy cursor for as long as it lives, also when the work in between fails.
class BusyGuard {
public:
    explicit BusyGuard(Prompts& prompts) : prompts_(prompts) { prompts_.setBusy(true); }
    ~BusyGuard() { prompts_.setBusy(false); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    Prompts& prompts_;
};

}  // namespace kreslix
