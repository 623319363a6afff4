// Qt's own dialogs speak Slovak once the program's translations are installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "app/translations.h"

namespace kreslix::test {
namespace {

struct ButtonText {
    QDialogButtonBox::StandardButton button;
    const char* text;
};

TEST(SlovakTranslations, StandardButtonsOfQtsDialogsAreSlovak) {
    installSlovakTranslations(*qApp);
    const ButtonText expected[] = {
        {QDialogButtonBox::Ok, "OK"},         {QDialogButtonBox::Cancel, "Zrušiť"},
        {QDialogButtonBox::Yes, "Án&o"},      {QDialogButtonBox::No, "&Nie"},
        {QDialogButtonBox::Close, "Zavrieť"}, {QDialogButtonBox::Save, "Uložiť"},
        {QDialogButtonBox::Open, "Otvoriť"},  {QDialogButtonBox::Help, "Pomocník"},
    };
    QDialogButtonBox box;
    for (const ButtonText& row : expected) {
        QPushButton* button = box.addButton(row.button);
        EXPECT_EQ(button->text(), QString::fromUtf8(row.text)) << int(row.button);
    }
}

TEST(SlovakTranslations, FileDialogTextsComeFromQtsCatalogue) {
    installSlovakTranslations(*qApp);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Files of type:"),
              QStringLiteral("Súbory typu:"));
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "Pick Screen Color"),
              QStringLiteral("Vybrať farbu z obrazovky"));
}

}  // namespace
}  // namespace kreslix::test
