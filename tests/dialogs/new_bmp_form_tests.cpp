#include <gtest/gtest.h>

#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "dialogs/novyd.h"
#include "dialogs/spin_edit.h"
#include "tests/dialogs/modal_driver.h"
#include "tests/support/event_queue.h"

namespace kreslix::testing {
namespace {

class NewBMPFormTest : public ::testing::Test {
protected:
    template <typename T = QWidget>
    T* child(const char* name) {
        T* found = form.findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no child " << name;
        return found;
    }
    // The colour the panel FPo shows, read from its rendering.
    Colour shownBackground() {
        QWidget* swatch = child("FPo");
        return fromPixel(swatch->grab().toImage().pixel(swatch->rect().center()));
    }
    void showActive() {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    TNewBMPForm form;
};

TEST_F(NewBMPFormTest, HasItsFieldsAndButtons) {
    EXPECT_EQ(form.objectName(), QStringLiteral("NewBMPForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Nový obrázok"));
    EXPECT_EQ(form.size(), QSize(281, 175));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    auto* frame = child<QGroupBox>("GroupBox1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Vlastnosti"));
    EXPECT_EQ(frame->geometry(), QRect(16, 8, 249, 121));

    const std::tuple<const char*, QString, QPoint> labels[] = {
        {"Label1", QStringLiteral("Šírka plátna:"), {24, 32}},
        {"Label2", QStringLiteral("Výška plátna:"), {24, 64}}};
    for (const auto& [name, text, at] : labels) {
        auto* label = child<QLabel>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), text);
        EXPECT_EQ(label->parentWidget(), frame);
        EXPECT_EQ(label->pos(), at);
    }
    EXPECT_EQ(form.WidthEdit()->objectName(), QStringLiteral("WidthEdit"));
    EXPECT_EQ(form.WidthEdit()->geometry(), QRect(128, 24, 97, 22));
    EXPECT_EQ(form.HeightEdit()->objectName(), QStringLiteral("HeightEdit"));
    EXPECT_EQ(form.HeightEdit()->geometry(), QRect(128, 56, 97, 22));
    EXPECT_EQ(child("FPo")->geometry(), QRect(128, 88, 97, 25));

    const std::tuple<const char*, QString, QRect> buttons[] = {
        {"SpeedButton1", QStringLiteral("Farba pozadia..."), {24, 88, 97, 25}},
        {"OKBtn", QStringLiteral("OK"), {48, 140, 77, 27}},
        {"CancelBtn", QStringLiteral("Zrušiť"), {148, 140, 77, 27}}};
    for (const auto& [name, text, geometry] : buttons) {
        auto* button = child<QPushButton>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), text);
        EXPECT_EQ(button->geometry(), geometry);
    }
    EXPECT_TRUE(child<QPushButton>("OKBtn")->isDefault());
}

// DialogFarby is made at the first colour choice, not with the form, and the same dialog serves
// every later choice.
TEST_F(NewBMPFormTest, ColourDialogIsMadeOnceAtFirstUse) {
    EXPECT_EQ(form.findChild<QColorDialog*>(), nullptr);
    QColorDialog* shown[2] = {};
    for (QColorDialog*& dialog : shown) {
        actOnModal([&dialog](QDialog& d) {
            dialog = qobject_cast<QColorDialog*>(&d);
            d.reject();
        });
        form.SpeedButton1Click();
    }
    ASSERT_NE(shown[0], nullptr);
    EXPECT_EQ(shown[0]->objectName(), QStringLiteral("DialogFarby"));
    EXPECT_EQ(shown[0]->parent(), &form);
    EXPECT_EQ(shown[1], shown[0]);
    EXPECT_EQ(form.FPo(), kWhite);
}

TEST_F(NewBMPFormTest, EnterConfirmsAndEscapeCancels) {
    form.WidthEdit()->setText(QStringLiteral("12"));
    actOnModal([this](QDialog&) { QTest::keyClick(form.WidthEdit()->lineEdit(), Qt::Key_Return); });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    actOnModal([this](QDialog&) { QTest::keyClick(form.WidthEdit()->lineEdit(), Qt::Key_Escape); });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    actOnModal([](QDialog& d) { clickButton(d, "CancelBtn"); });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    actOnModal([](QDialog& d) { clickButton(d, "OKBtn"); });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
}

// The colour dialog opens on the colour last chosen in it (black first), not on FPo's colour;
// a cancelled choice keeps FPo's colour.
TEST_F(NewBMPFormTest, BackgroundColourIsChosenAndKept) {
    EXPECT_EQ(form.FPo(), kWhite);
    EXPECT_EQ(shownBackground(), kWhite);
    std::vector<Colour> presets;
    std::vector<std::optional<Colour>> answers = {0x000000FF, std::nullopt, 0x00FF8000};
    form.setColourChooser([&](Colour preset) {
        presets.push_back(preset);
        const std::optional<Colour> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    for (int click = 0; click < 3; ++click) {
        form.SpeedButton1Click();
        const Colour expected = click < 2 ? 0x000000FF : 0x00FF8000;
        EXPECT_EQ(form.FPo(), expected) << click;
        EXPECT_EQ(shownBackground(), expected) << click;
    }
    EXPECT_EQ(presets, (std::vector<Colour>{kBlack, 0x000000FF, 0x000000FF}));
}

TEST_F(NewBMPFormTest, ColourButtonRunsTheChooser) {
    int asked = 0;
    form.setColourChooser([&](Colour) -> std::optional<Colour> {
        ++asked;
        return 0x00010203;
    });
    QTest::mouseClick(child<QPushButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(form.FPo(), 0x00010203u);
}

// Tab goes OKBtn, CancelBtn, WidthEdit, HeightEdit, SpeedButton1 and round again; entering a
// field by Tab selects its whole text, and Space on the colour button chooses a colour.
TEST_F(NewBMPFormTest, TabOrderAndSelectionOnEntry) {
    form.WidthEdit()->setText(QStringLiteral("640"));
    form.HeightEdit()->setText(QStringLiteral("-480"));
    int asked = 0;
    form.setColourChooser([&](Colour) -> std::optional<Colour> {
        ++asked;
        return 0x00102030;
    });
    showActive();
    child("OKBtn")->setFocus(Qt::OtherFocusReason);
    QWidget* expected[] = {child("CancelBtn"), form.WidthEdit()->lineEdit(),
                           form.HeightEdit()->lineEdit(), child("SpeedButton1"), child("OKBtn")};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
        if (auto* field = qobject_cast<QLineEdit*>(next)) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return field->selectedText() == field->text(); }))
                << field->text().toStdString();
        }
        if (next == child("SpeedButton1")) {
            QTest::keyClick(next, Qt::Key_Space);
            EXPECT_EQ(asked, 1);
            EXPECT_EQ(form.FPo(), 0x00102030u);
        }
    }
}

// The dialog shows in the middle of the screen, not over its parent window.
TEST(NewBMPFormPlace, CentredOnTheScreen) {
    QWidget parent;
    parent.setGeometry(20, 30, 200, 150);
    parent.show();
    TNewBMPForm form(&parent);
    QRect shown;
    for (int use = 0; use < 2; ++use) {
        actOnModal([&](QDialog& d) {
            shown = d.frameGeometry();
            d.reject();
        });
        form.exec();
        const QRect screen = parent.screen()->geometry();
        EXPECT_LE((shown.center() - screen.center()).manhattanLength(), 1)
            << shown.x() << "," << shown.y() << " on " << screen.width() << "x" << screen.height();
        parent.move(300, 200);
    }
}

TEST_F(NewBMPFormTest, MouseClickDoesNotSelect) {
    form.HeightEdit()->setText(QStringLiteral("297"));
    showActive();
    child("OKBtn")->setFocus(Qt::OtherFocusReason);
    QLineEdit* field = form.HeightEdit()->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
    drainEvents();
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_TRUE(field->selectedText().isEmpty()) << field->selectedText().toStdString();
}

}  // namespace
}  // namespace kreslix::testing
