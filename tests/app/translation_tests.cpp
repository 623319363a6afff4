// Qt's own dialogs speak Slovak once the program's translations are installed.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/file_dialogs.h"
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
    // Shown only while a colour is picked from the screen.
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "Cursor at %1, %2\nPress ESC to cancel"),
              QStringLiteral("Kurzor na %1, %2\nEsc výber zruší"));
}

// Every text a person meets in the dialog: its caption, labels, buttons, lists, list headers,
// tips and menu entries.
QStringList textsOf(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->whatsThis();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->placeholderText();
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            for (int column = 0; column < view->model()->columnCount(); ++column)
                texts << view->model()->headerData(column, Qt::Horizontal).toString();
        }
    }
    for (QAction* action : dialog.findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// The texts of a dialog made without any translation installed.
QStringList englishTextsOf(const std::function<std::unique_ptr<QWidget>()>& make) {
    const QList<QTranslator*> installed = qApp->findChildren<QTranslator*>();
    for (QTranslator* translator : installed)
        QCoreApplication::removeTranslator(translator);
    const QStringList texts = textsOf(*make());
    for (QTranslator* translator : installed)
        QCoreApplication::installTranslator(translator);
    return texts;
}

// What Qt's translation leaves English in the dialogs the program shows, ours fills in: no
// text there reads the same as without any translation, but for names and codes that are the
// same in Slovak.
TEST(SlovakTranslations, QtsDialogsShowNoEnglishText) {
    installSlovakTranslations(*qApp);
    QTemporaryDir empty;
    const QStringList sameInSlovak = {QStringLiteral("OK"), QStringLiteral("&HTML:"), empty.path(),
                                      QStringLiteral("/")};
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> dialogs[] = {
        {"colour", [] { return std::make_unique<QColorDialog>(); }},
        {"open",
         [&] {
             std::unique_ptr<QFileDialog> dialog(makeOpenDialog(nullptr));
             dialog->setDirectory(empty.path());
             return dialog;
         }},
        {"save as",
         [&] {
             std::unique_ptr<QFileDialog> dialog(makeSaveDialog(nullptr));
             dialog->setDirectory(empty.path());
             return dialog;
         }},
    };
    const QRegularExpression words(QStringLiteral("[A-Za-z]{2}"));
    for (const auto& [name, make] : dialogs) {
        SCOPED_TRACE(name);
        const QStringList english = englishTextsOf(make);
        QStringList untranslated;
        for (const QString& text : textsOf(*make())) {
            // Letters beyond ASCII are Slovak: the program's own file types, for one.
            const bool ascii =
                std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
            if (english.contains(text) && text.contains(words) && ascii &&
                !sameInSlovak.contains(text)) {
                untranslated << text;
            }
        }
        EXPECT_EQ(untranslated, QStringList()) << untranslated.join(u'|').toStdString();
    }
}

}  // namespace
}  // namespace kreslix::test
