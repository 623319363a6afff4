#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/dialog_prompts.h"
#include "dialogs/zmz.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

TEST(OknoZmaz, ShowsItsTextsButtonsAndCheckBoxAtTheirPlacesInTabOrder) {
    TOknoZmaz dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("OknoZmaz"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vymazanie obrázka"));
    EXPECT_EQ(dialog.pos(), QPoint(241, 179));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_NE(dialog.minimumSize(), dialog.maximumSize()) << "the frame is sizeable";
    // 358 x 148 outside a frame of 4 pixels a side and a 19-pixel caption.
    EXPECT_EQ(dialog.size(), QSize(350, 121));

    const auto* zmaz = dialog.findChild<QPushButton*>(QStringLiteral("zmaz"));
    const auto* zrus = dialog.findChild<QPushButton*>(QStringLiteral("zrus"));
    QCheckBox* box = dialog.ZmazFarbou();
    ASSERT_TRUE(zmaz && zrus && box);
    EXPECT_EQ(zmaz->text(), QStringLiteral("Áno"));
    EXPECT_EQ(zmaz->geometry(), QRect(80, 64, 75, 25));
    EXPECT_EQ(zrus->text(), QStringLiteral("Nie"));
    EXPECT_EQ(zrus->geometry(), QRect(184, 64, 75, 25));
    EXPECT_FALSE(zmaz->isDefault() || zrus->isDefault());
    EXPECT_EQ(box->objectName(), QStringLiteral("ZmazFarbou"));
    EXPECT_EQ(box->text(), QStringLiteral("Zmazať nastavenou farbou popredia"));
    EXPECT_EQ(box->pos(), QPoint(24, 96));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(zmaz->nextInFocusChain(), zrus);
    EXPECT_EQ(zrus->nextInFocusChain(), box);

    // Laid out as it is shown: the texts are fitted when the dialog is first shown.
    dialog.show();

    const std::tuple<const char*, const char*, QPoint> labels[] = {
        {"Label1", "Zmazaním obrázka stratíte všetky údaje, ktoré plátno obsahuje.", {24, 16}},
        {"Label2", "Naozaj chcete obrázok zmazať?", {96, 40}}};
    for (const auto& [name, text, at] : labels) {
        const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
        EXPECT_EQ(label->pos(), at);
        EXPECT_LE(label->geometry().right(), dialog.width()) << name << " is cut";
    }
}

// The real prompt behind the interface, made once and asked again and again.
class ClearPrompt : public ::testing::Test {
protected:
    void SetUp() override {
        prompts.setWindow(&window);
        prompts.setClearPrompt(dialog);
    }

    ClearAnswer ask(std::function<void(QDialog&)> act) {
        actOnModal(std::move(act));
        const ClearAnswer answer = prompts.askClearPicture();
        EXPECT_FALSE(dialog->Zrusene) << "the refusal is forgotten once the command has it";
        return answer;
    }

    QWidget window;
    TOknoZmaz* dialog = new TOknoZmaz(&window);
    DialogPrompts prompts;
};

// Only "Áno" confirms; "Nie", the close box and Escape all leave the picture alone.
TEST_F(ClearPrompt, OnlyAnoConfirms) {
    const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
        {"Nie", [](QDialog& d) { clickButton(d, "zrus"); }},
        {"close box", [](QDialog& d) { d.close(); }},
        {"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"Áno", [](QDialog& d) { clickButton(d, "zmaz"); }},
    };
    for (const auto& [way, act] : ways) {
        SCOPED_TRACE(way);
        EXPECT_EQ(ask(act).confirmed, std::string(way) == "Áno");
    }
}

TEST_F(ClearPrompt, CheckBoxKeepsItsStateBetweenUses) {
    ClearAnswer first = ask([](QDialog& d) {
        QTest::mouseClick(d.findChild<QCheckBox*>(QStringLiteral("ZmazFarbou")), Qt::LeftButton);
        clickButton(d, "zmaz");
    });
    EXPECT_TRUE(first.withForeground);
    ClearAnswer second = ask([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("ZmazFarbou"))->isChecked());
        clickButton(d, "zmaz");
    });
    EXPECT_TRUE(second.confirmed && second.withForeground);
}

}  // namespace
}  // namespace kreslix::testing
