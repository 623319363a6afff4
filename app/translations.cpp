#include "app/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kreslix {

void installSlovakTranslations(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    auto* qtCatalogue = new QTranslator(&app);
    if (qtCatalogue->load(QStringLiteral("qtbase_sk"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtCatalogue);
    }
    // Installed last, so it is asked first: the standard button texts missing from Qt's file.
    auto* ours = new QTranslator(&app);
    if (ours->load(QStringLiteral(":/i18n/kreslix_sk.qm")))
        QApplication::installTranslator(ours);
}

}  // namespace kreslix
