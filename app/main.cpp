#include <QApplication>

#include "app/dialog_prompts.h"
#include "app/no_settings_files.h"
#include "app/telo.h"
#include "app/translations.h"
#include "dialogs/OkUloz.h"
#include "dialogs/novyd.h"

int main(int argc, char* argv[]) {
    kreslix::keepNoSettingsFiles();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kreslix"));
    kreslix::installSlovakTranslations(app);

    // The forms of the whole run, in the order they are made; the main window is the first.
    kreslix::DialogPrompts prompts;
    kreslix::THlavneOkno HlavneOkno(prompts);
    prompts.setWindow(&HlavneOkno);
    kreslix::TNewBMPForm NewBMPForm(&HlavneOkno);
    kreslix::TOknoUloz OknoUloz(&HlavneOkno);
    prompts.setForms(&NewBMPForm, &OknoUloz);

    HlavneOkno.show();
    return QApplication::exec();
}
