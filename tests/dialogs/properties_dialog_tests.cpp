#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dialog_prompts.h"
#include "common/modal_result.h"
#include "dialogs/about.h"
#include "dialogs/vlast.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

TEST(Vlastnosti, LaysOutItsControlsAsDesigned) {
    Tvlastnosti dialog;
    // Laid out as it is shown: the texts are fitted when the dialog is first shown.
    dialog.show();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("vlastnosti"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vlastnosti"));
    EXPECT_EQ(dialog.size(), QSize(298, 174));
    EXPECT_EQ(dialog.pos(), QPoint(216, 150));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    const std::tuple<const char*, QRect, QString> boxes[] = {
        {"GroupBox1", {16, 16, 265, 41}, QStringLiteral("Meno obrázka")},
        {"GroupBox2", {16, 64, 265, 65}, QStringLiteral("Rozmery")}};
    for (const auto& [name, geometry, title] : boxes) {
        const auto* box = dialog.findChild<QGroupBox*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(box->geometry(), geometry);
        EXPECT_EQ(box->title(), title);
    }
    const std::tuple<const char*, const char*, QPoint, QString> labels[] = {
        {"Label1", "GroupBox2", {24, 24}, QStringLiteral("šírka plátna:")},
        {"Label2", "GroupBox2", {24, 40}, QStringLiteral("výška plátna:")},
        {"ObrSirka", "GroupBox2", {96, 24}, QString()},
        {"ObrVyska", "GroupBox2", {96, 40}, QString()},
        {"MenoObr", "GroupBox1", {8, 24}, QString()}};
    for (const auto& [name, parent, at, text] : labels) {
        const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->parentWidget()->objectName(), QLatin1String(parent)) << name;
        EXPECT_EQ(label->pos(), at) << name;
        EXPECT_EQ(label->text(), text) << name;
    }
    EXPECT_EQ(dialog.MenoObr()->size(), QSize(249, 13));
    // Whole letters in the name's 13 pixels, and captions that end before the numbers.
    EXPECT_LE(dialog.MenoObr()->fontMetrics().height(), 13);
    for (const char* caption : {"Label1", "Label2"}) {
        EXPECT_LT(dialog.findChild<QLabel*>(QLatin1String(caption))->geometry().right(), 96)
            << caption;
    }
    const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(112, 144, 75, 25));
}

// "OK" is the only tab stop and closes with OK.
TEST(Vlastnosti, OkIsTheOnlyControlAndTheWayOut) {
    Tvlastnosti dialog;
    dialog.fill(
        {QStringLiteral("a.bmp"), QStringLiteral("1 pixelov."), QStringLiteral("2 pixelov.")});
    actOnModal([](QDialog& d) {
        QWidget* ok = d.findChild<QWidget*>(QStringLiteral("Button1"));
        EXPECT_EQ(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), static_cast<int>(ModalResult::OK));
}

// How far right the label's text reaches, in pixels from its left edge.
int inkRight(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    const QRgb ground = shot.pixel(shot.width() - 1, 0);
    int right = -1;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) != ground)
                right = std::max(right, x);
        }
    }
    return right;
}

// A file named like markup shows as it is spelled: all its characters are drawn.
TEST(Vlastnosti, FileNameIsPlainText) {
    Tvlastnosti dialog;
    const QString name = QStringLiteral("<b>tucne</b>.bmp");
    dialog.fill({name, QStringLiteral("1 pixelov."), QStringLiteral("1 pixelov.")});
    dialog.show();
    EXPECT_GE(inkRight(dialog.MenoObr()),
              dialog.MenoObr()->fontMetrics().horizontalAdvance(name) - 3);
}

struct NameCase {
    const char* what;
    QString path;  // relative to the test's folder; "" for no path at all
    QString shown;
};

// The name part of a path to an existing file; anything else is untitled.
TEST(PictureProperties, NameOnlyWhileAFileIsThere) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("kvet.bmp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("zlozka.bmp")));

    const NameCase cases[] = {
        {"no path", QString(), QStringLiteral("Bez názvu")},
        {"file", QStringLiteral("kvet.bmp"), QStringLiteral("kvet.bmp")},
        {"folder", QStringLiteral("zlozka.bmp"), QStringLiteral("Bez názvu")},
        {"missing", QStringLiteral("chyba.bmp"), QStringLiteral("Bez názvu")}};
    for (const NameCase& c : cases) {
        const QString path = c.path.isEmpty() ? QString() : folder.filePath(c.path);
        EXPECT_EQ(pictureProperties(path, {1, 1}).name, c.shown) << c.what;
    }
}

// Whether anything is painted in the last columns of the widget: text that runs to the edge.
bool inkAtRightEdge(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    const QRgb ground = shot.pixel(shot.width() - 1, 0);
    for (int x = shot.width() - 4; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            if (shot.pixel(x, y) != ground)
                return true;
        }
    }
    return false;
}

// The real open dialog keeps the name chosen in it; the properties dialog shows a name too
// long for its label cut off at the label's edge, the label keeping its size.
TEST(PropertiesThroughTheRealDialogs, LongNameChosenInTheOpenDialogIsCutOff) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString longName =
        QStringLiteral("veľmi_dlhé_meno_obrázka_ktoré_sa_do_okna_vlastností_nezmestí.bmp");
    QFile file(folder.filePath(longName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QWidget window;
    auto* properties = new Tvlastnosti(&window);
    auto* about = new TAboutBox(&window);
    DialogPrompts prompts;
    prompts.setWindow(&window);
    prompts.setInformationForms(about, properties);
    EXPECT_TRUE(prompts.openDialogFileName().isEmpty());

    actOnModal([&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(folder.filePath(longName));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ASSERT_EQ(prompts.chooseOpenFile(), folder.filePath(longName));
    EXPECT_EQ(prompts.openDialogFileName(), folder.filePath(longName));
    // A cancelled choice keeps the name chosen before.
    actOnModal([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(prompts.chooseOpenFile().has_value());
    EXPECT_EQ(prompts.openDialogFileName(), folder.filePath(longName));

    actOnModal([&](QDialog& d) {
        EXPECT_EQ(&d, properties);
        EXPECT_EQ(properties->MenoObr()->text(), longName);
        EXPECT_EQ(properties->MenoObr()->size(), QSize(249, 13));
        EXPECT_GT(properties->MenoObr()->fontMetrics().horizontalAdvance(longName), 249);
        EXPECT_TRUE(inkAtRightEdge(properties->MenoObr()));
        EXPECT_EQ(properties->ObrSirka()->text(), QStringLiteral("488 pixelov."));
        clickButton(d, "Button1");
    });
    prompts.showPictureProperties(pictureProperties(prompts.openDialogFileName(), {488, 297}));
}

}  // namespace
}  // namespace kreslix::testing
