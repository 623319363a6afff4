#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/file_dialogs.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

const QStringList kOpenDescriptions = {QStringLiteral("Všetky podporované formáty"),
                                       QStringLiteral("Bitové mapy (*.bmp)"),
                                       QStringLiteral("Jpeg formáty (*.jpg,*.jpeg)")};

TEST(NameFilters, ShowEachDescriptionWithItsPatterns) {
    EXPECT_EQ(nameFilters(QStringLiteral("Všetky podporované formáty|*.bmp;*.jpg;*.jpeg|"
                                         "Bitové mapy (*.bmp)|*.bmp|"
                                         "Jpeg formáty (*.jpg,*.jpeg)|*.jpg;*.jpeg")),
              (QStringList{QStringLiteral("Všetky podporované formáty (*.bmp *.jpg *.jpeg)"),
                           QStringLiteral("Bitové mapy (*.bmp) (*.bmp)"),
                           QStringLiteral("Jpeg formáty (*.jpg,*.jpeg) (*.jpg *.jpeg)")}));
    EXPECT_EQ(nameFilters(QStringLiteral("A|*.a;;*.b|odd")), QStringList{"A (*.a *.b)"});
    EXPECT_TRUE(nameFilters(QString()).isEmpty());
}

// The names the dialog lists in its folder under the selected filter, once the folder is read.
QStringList listedNames(QFileDialog& dialog) {
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view)
        return {QStringLiteral("no list view")};
    const auto names = [view] {
        QStringList found;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            found << view->model()->index(row, 0, root).data().toString();
        }
        found.sort();
        return found;
    };
    if (!QTest::qWaitFor([&] { return !names().isEmpty(); }))
        return {};
    QTest::qWait(100);
    return names();
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"a.bmp", "b.jpg", "c.jpeg", "d.png", "e.txt"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QTemporaryDir folder;
    QWidget window;
};

// The open dialog shows the three descriptions exactly and lists the files each one matches.
TEST_F(FileDialogTest, OpenDialogFilters) {
    FileDialog* dialog = makeOpenDialog(&window);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("OpenDialog1"));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(combo, nullptr);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    EXPECT_EQ(shown, kOpenDescriptions);
    EXPECT_EQ(combo->currentIndex(), 0);

    dialog->setDirectory(folder.path());
    dialog->show();
    const QStringList expected[] = {{"a.bmp", "b.jpg", "c.jpeg"}, {"a.bmp"}, {"b.jpg", "c.jpeg"}};
    for (int i = 0; i < 3; ++i) {
        dialog->selectNameFilter(dialog->nameFilters().at(i));
        EXPECT_EQ(listedNames(*dialog), expected[i]) << i;
    }
    dialog->hide();
}

TEST_F(FileDialogTest, SaveDialogFilter) {
    FileDialog* dialog = makeSaveDialog(&window);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("SaveDialog1"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Bitové mapy (*.bmp)"));
    dialog->setDirectory(folder.path());
    dialog->show();
    EXPECT_EQ(listedNames(*dialog), QStringList{"a.bmp"});
    dialog->hide();
}

// Chooses `typed` in the running file dialog and offers what it shows as the name first.
void typeName(QDialog& dialog, const QString& typed, QString* offered) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    *offered = edit->text();
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);
}

// A bare name gets ".bmp"; an existing file is chosen without a question; the next use offers
// the name chosen last.
TEST_F(FileDialogTest, SaveDialogAddsBmpAndRemembersTheName) {
    FileDialog* dialog = makeSaveDialog(&window);
    dialog->setDirectory(folder.path());
    QString offered;
    actOnModal([&](QDialog& d) { typeName(d, QStringLiteral("obrazok"), &offered); });
    EXPECT_EQ(dialog->run(), folder.filePath(QStringLiteral("obrazok.bmp")));
    EXPECT_EQ(offered, QString());

    actOnModal([&](QDialog& d) { typeName(d, QStringLiteral("a.bmp"), &offered); });
    EXPECT_EQ(dialog->run(), folder.filePath(QStringLiteral("a.bmp")));
    EXPECT_EQ(offered, QStringLiteral("obrazok.bmp"));

    actOnModal([](QDialog& d) { d.reject(); });
    EXPECT_TRUE(dialog->run().isEmpty());
}

// A name typed or a filter picked in a cancelled use is forgotten: the dialog opens again on
// what was last confirmed in it, or empty on the first filter when nothing was yet.
TEST_F(FileDialogTest, CancelledUseLeavesTheLastConfirmedChoice) {
    FileDialog* dialog = makeOpenDialog(&window);
    dialog->setDirectory(folder.path());
    const auto typeAndCancel = [&](const QString& typed) {
        actOnModal([&](QDialog& d) {
            auto* edit = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            dialog->selectNameFilter(dialog->nameFilters().at(2));
            edit->setText(typed);
            d.reject();
        });
        EXPECT_TRUE(dialog->run().isEmpty());
    };
    const auto offered = [&] {
        QString name;
        int filter = -1;
        actOnModal([&](QDialog& d) {
            name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            filter = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentIndex();
            d.reject();
        });
        dialog->run();
        return std::make_pair(name, filter);
    };
    typeAndCancel(QStringLiteral("typed.jpg"));
    EXPECT_EQ(offered(), std::make_pair(QString(), 0));

    QString ignored;
    actOnModal([&](QDialog& d) {
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        typeName(d, QStringLiteral("a.bmp"), &ignored);
    });
    EXPECT_EQ(dialog->run(), folder.filePath(QStringLiteral("a.bmp")));
    typeAndCancel(QStringLiteral("b.jpg"));
    EXPECT_EQ(offered(), std::make_pair(QStringLiteral("a.bmp"), 1));
}

}  // namespace
}  // namespace kreslix::testing
