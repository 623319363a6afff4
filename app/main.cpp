#include <QApplication>

#include "app/dialog_prompts.h"
#include "app/telo.h"
#include "app/translations.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kreslix"));
    kreslix::installSlovakTranslations(app);

    kreslix::DialogPrompts prompts;
    kreslix::THlavneOkno HlavneOkno(prompts);
    prompts.setWindow(&HlavneOkno);
    HlavneOkno.show();
    return QApplication::exec();
}
