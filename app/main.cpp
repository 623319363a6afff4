#include <QApplication>
#include <QTimer>

#include "app/command_line.h"
#include "app/dialog_prompts.h"
#include "app/no_settings_files.h"
#include "app/telo.h"
#include "app/translations.h"
#include "dialogs/OkUloz.h"
#include "dialogs/about.h"
#include "dialogs/novyd.h"
#include "dialogs/vlast.h"
#include "dialogs/zmz.h"

int main(int argc, char* argv[]) {
    kreslix::keepNoSettingsFiles();
    const kreslix::CommandLine commandLine = kreslix::readCommandLine(argc, argv);
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kreslix"));
    // The desktop entry's name, by which the desktop finds the window's entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(KRESLIX_APP_ID));
    kreslix::installSlovakTranslations(app);

    // The forms of the whole run, in the order they are made; the main window is the first.
    kreslix::DialogPrompts prompts;
    kreslix::THlavneOkno HlavneOkno(prompts);
    prompts.setWindow(&HlavneOkno);
    kreslix::TNewBMPForm NewBMPForm(&HlavneOkno);
    kreslix::TAboutBox AboutBox(&HlavneOkno);
    kreslix::Tvlastnosti vlastnosti(&HlavneOkno);
    kreslix::TOknoZmaz OknoZmaz(&HlavneOkno);
    prompts.setClearPrompt(&OknoZmaz);
    kreslix::TOknoUloz OknoUloz(&HlavneOkno);
    prompts.setForms(&NewBMPForm, &OknoUloz);
    prompts.setInformationForms(&AboutBox, &vlastnosti);

    HlavneOkno.show();
    if (!commandLine.files.isEmpty()) {
        // From the event loop, once the start-up has ended.
        QTimer::singleShot(0, &HlavneOkno, [&] { HlavneOkno.openStartFiles(commandLine.files); });
    }
    return QApplication::exec();
}
