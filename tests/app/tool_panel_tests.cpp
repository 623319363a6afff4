#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "app/main_menu.h"
#include "dialogs/spin_edit.h"
#include "tests/support/event_queue.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

struct ToolRow {
    const char* name;
    const char* hint;
    QRect geometry;
};

// In tool-number order.
const ToolRow kTools[] = {
    {"CiaraTl", "Čiara", {8, 8, 25, 25}},
    {"Ceruzka", "Ceruzka", {8, 33, 25, 25}},
    {"ObdlTl", "Obdĺžnik", {8, 83, 25, 25}},
    {"ElipsaTl", "elipsa", {8, 58, 25, 25}},
    {"ZaobObdlTl", "Zaoblený obdĺžnik", {33, 58, 25, 25}},
    {"SpeedButton2", "Biela Guma", {33, 83, 25, 25}},
    {"SpeedButton3", "Sprej", {33, 8, 24, 25}},
    {"stete", "Štetec", {33, 33, 25, 25}},
    {"SpeedButton4", "Kvapadlo", {8, 108, 25, 25}},
};

const char* const kWidthButtons[] = {"jeden", "dva", "tri", "styry", "pat"};

class ToolPanelTest : public WindowTest {
protected:
    QToolButton* button(const char* name) const { return child<QToolButton>(name); }
    SpinEdit* hr() const { return child<SpinEdit>("hr"); }
    SpinEdit* penSize() const { return child<SpinEdit>("PenSize"); }
    int penWidth() const { return window->document().canvas().pen().width(); }
    // The name of the width button that is down, "dodatok" included; empty when none is.
    QString widthButtonDown() const {
        for (const char* name : {"jeden", "dva", "tri", "styry", "pat", "dodatok"}) {
            if (button(name)->isChecked())
                return QLatin1String(name);
        }
        return {};
    }
    // Replaces the text of `hr` by typing, as the user does after selecting it all.
    void typeIntoHr(const QString& text) const {
        QLineEdit* edit = hr()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void activate() const {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(ToolPanelTest, NineToolButtonsHaveTheirPlacesSizesAndHints) {
    QWidget* panel = child("OknoNastroje");
    EXPECT_EQ(panel->width(), 65);
    for (const ToolRow& row : kTools) {
        SCOPED_TRACE(row.name);
        QToolButton* tool = button(row.name);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->parentWidget(), panel);
        EXPECT_EQ(tool->geometry(), row.geometry);
        EXPECT_EQ(tool->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_TRUE(tool->isCheckable());
        EXPECT_TRUE(tool->autoRaise());
        EXPECT_FALSE(tool->icon().isNull());
        EXPECT_EQ(tool->isChecked(), QLatin1String(row.name) == QLatin1String("CiaraTl"));
    }
}

TEST_F(ToolPanelTest, EachToolButtonSetsItsNumberAloneAndShowsFillTogglesForShapes) {
    window->document().setSaveButtonEnabled(false);
    const QImage before = window->document().image();
    for (int tool = 8; tool >= 0; --tool) {
        SCOPED_TRACE(kTools[tool].name);
        click(kTools[tool].name);
        EXPECT_EQ(window->tools().CurrentTool, tool);
        for (const ToolRow& row : kTools) {
            EXPECT_EQ(button(row.name)->isChecked(), row.name == kTools[tool].name) << row.name;
        }
        const bool shape = tool >= 2 && tool <= 4;
        EXPECT_EQ(button("PlnyObj")->isVisible(), shape);
        EXPECT_EQ(button("PrazdnyObj")->isVisible(), shape);
        EXPECT_TRUE(child("Panel2")->isVisible());
    }
    EXPECT_EQ(window->document().image(), before);
    EXPECT_EQ(window->document().modified(), 0);
    EXPECT_FALSE(window->document().saveButtonEnabled());
}

TEST_F(ToolPanelTest, FillTogglesSitInPanel2AndKeepTheirDownStateWhileHidden) {
    EXPECT_EQ(child("Panel2")->geometry(), QRect(8, 248, 49, 65));
    EXPECT_EQ(button("PlnyObj")->geometry(), QRect(3, 8, 38, 22));
    EXPECT_EQ(button("PrazdnyObj")->geometry(), QRect(3, 32, 38, 22));
    EXPECT_EQ(button("PlnyObj")->toolTip(), QStringLiteral("Plný objekt"));
    EXPECT_EQ(button("PrazdnyObj")->toolTip(), QStringLiteral("Prázdny objekt"));
    EXPECT_TRUE(button("PlnyObj")->isChecked());

    click("ObdlTl");
    click("PrazdnyObj");
    EXPECT_EQ(window->document().canvas().brush().style(), bsClear);
    click("CiaraTl");
    click("ZaobObdlTl");
    EXPECT_TRUE(button("PrazdnyObj")->isChecked());
    EXPECT_FALSE(button("PlnyObj")->isChecked());
    EXPECT_EQ(window->document().canvas().brush().style(), bsClear);
    click("PlnyObj");
    EXPECT_EQ(window->document().canvas().brush().style(), bsSolid);
    EXPECT_FALSE(button("PrazdnyObj")->isChecked());
}

TEST_F(ToolPanelTest, WidthButtonsSetThePenAndTheFieldAndOverlapByOnePixel) {
    EXPECT_EQ(child("GroupBox1")->geometry(), QRect(8, 152, 49, 89));
    EXPECT_EQ(hr()->geometry(), QRect(4, 62, 41, 22));
    EXPECT_EQ(penSize()->geometry(), QRect(328, 8, 121, 22));
    EXPECT_EQ(button("dodatok")->geometry(), QRect(40, 8, 7, 9));
    EXPECT_FALSE(button("dodatok")->isVisibleTo(window.get()));
    EXPECT_EQ(widthButtonDown(), QStringLiteral("jeden"));
    for (int n = 5; n >= 1; --n) {
        SCOPED_TRACE(n);
        QToolButton* width = button(kWidthButtons[n - 1]);
        EXPECT_EQ(width->geometry(), QRect(8, 8 + 8 * n, 33, 9));
        EXPECT_EQ(width->toolTip(), QStringLiteral("Hrúbka čiarky: %1").arg(n));
        click(kWidthButtons[n - 1]);
        EXPECT_EQ(penWidth(), n);
        EXPECT_EQ(hr()->text(), QString::number(n));
        EXPECT_EQ(widthButtonDown(), QLatin1String(kWidthButtons[n - 1]));
    }
}

struct HrCase {
    const char* before;  // width button clicked first
    const char* typed;
    bool pasted;  // the whole text at once rather than one character after another
    int penWidth;
    const char* down;  // width button down afterwards
};

class HrTypingTest : public ToolPanelTest, public ::testing::WithParamInterface<HrCase> {};

TEST_P(HrTypingTest, TypedWidthIsUsedAsTypedAndPushesItsButton) {
    click(GetParam().before);
    const QString text = QString::fromUtf8(GetParam().typed);
    if (GetParam().pasted) {
        hr()->lineEdit()->selectAll();
        hr()->lineEdit()->insert(text);
    } else {
        typeIntoHr(text);
    }
    EXPECT_EQ(hr()->text(), QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(penWidth(), GetParam().penWidth);
    EXPECT_EQ(widthButtonDown(), QLatin1String(GetParam().down));
    EXPECT_EQ(prompts.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, HrTypingTest,
    ::testing::Values(HrCase{"jeden", "6", false, 6, "dodatok"},
                      HrCase{"tri", "7", false, 7, "tri"}, HrCase{"pat", "2", false, 2, "dva"},
                      HrCase{"dva", "150", true, 150, "dva"},
                      // Typing passes through "1" on the way.
                      HrCase{"dva", "150", false, 150, "jeden"},
                      HrCase{"tri", "0", false, 0, "tri"}, HrCase{"dva", "-", false, 1, "jeden"},
                      HrCase{"dva", "-5", false, 1, "jeden"}, HrCase{"pat", "-5", true, 5, "pat"},
                      HrCase{"tri", "+4", false, 4, "styry"},
                      HrCase{"tri", "12x", true, 1, "jeden"}));

TEST_F(ToolPanelTest, LeavingHrClampsOutOfRangeValuesAndKeepsNonNumbers) {
    activate();
    typeIntoHr(QStringLiteral("150"));
    EXPECT_EQ(penWidth(), 150);
    penSize()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(hr()->text(), QStringLiteral("99"));
    EXPECT_EQ(penWidth(), 99);

    typeIntoHr(QStringLiteral("0"));
    penSize()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(hr()->text(), QStringLiteral("1"));
    EXPECT_EQ(penWidth(), 1);

    typeIntoHr(QStringLiteral("-"));
    penSize()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(hr()->text(), QStringLiteral("-"));
    EXPECT_EQ(hr()->value(), 1);
}

// The popup menu and another window take the focus only for a while: the typed width stays in
// use, and coming back selects nothing. Tab leaves the field for good and clamps.
TEST_F(ToolPanelTest, PopupOrOtherWindowIsNoLeavingOfHr) {
    activate();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QLineEdit* edit = hr()->lineEdit();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QCoreApplication::processEvents();
    ASSERT_EQ(edit->selectedText(), QStringLiteral("1"));
    QTest::keyClicks(edit, QStringLiteral("150"));

    QMenu* popup = window->menu().popup();
    popup->popup(window->mapToGlobal(QPoint(200, 200)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    popup->close();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    activate();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    drainEvents();
    EXPECT_EQ(hr()->text(), QStringLiteral("150"));
    EXPECT_EQ(penWidth(), 150);
    EXPECT_TRUE(edit->selectedText().isEmpty()) << edit->selectedText().toStdString();

    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button("CiaraTl"));
    EXPECT_EQ(hr()->text(), QStringLiteral("99"));
    EXPECT_EQ(penWidth(), 99);
}

// "Hrúbka" stands in the frame's top line and the frame encloses the width buttons and the
// field: drawn without its controls, the box shows no line across the place they take.
TEST_F(ToolPanelTest, WidthGroupFrameEnclosesItsControls) {
    QWidget* box = child("GroupBox1");
    const QRgb background = box->palette().window().color().rgb();
    QImage alone(box->size(), QImage::Format_RGB32);
    alone.fill(background);
    box->render(&alone, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (int y = 16; y < 86; ++y) {
        for (int x = 3; x < 46; ++x)
            ASSERT_EQ(alone.pixel(x, y), background) << "frame line at " << x << "," << y;
    }
    EXPECT_NE(alone.pixel(0, 40), background) << "no left edge";
    EXPECT_NE(alone.pixel(48, 40), background) << "no right edge";
    int titleRows = 0;
    for (int y = 0; y < 16; ++y) {
        bool dark = false;
        for (int x = 0; x < 49; ++x)
            dark = dark || qGray(alone.pixel(x, y)) < 100;
        titleRows += dark ? 1 : 0;
    }
    EXPECT_GE(titleRows, 6) << "no title above the buttons";
}

TEST_F(ToolPanelTest, UpThreeTimesAtStartChangesTheUnseenFieldAndThePenOnly) {
    activate();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(penSize()->text(), QStringLiteral("3"));
    EXPECT_EQ(penWidth(), 3);
    EXPECT_EQ(hr()->text(), QStringLiteral("1"));
    EXPECT_EQ(widthButtonDown(), QStringLiteral("jeden"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(penWidth(), 2);
}

TEST_F(ToolPanelTest, ArrowsInHrAreClampedToItsBounds) {
    activate();
    hr()->lineEdit()->setFocus();
    QTest::keyClick(hr()->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(hr()->text(), QStringLiteral("1"));
    typeIntoHr(QStringLiteral("99"));
    QTest::keyClick(hr()->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(hr()->text(), QStringLiteral("99"));
    QTest::keyClick(hr()->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(hr()->text(), QStringLiteral("98"));
    EXPECT_EQ(penWidth(), 98);
}

struct CharacterCase {
    char typed;
    bool accepted;
};

class FieldCharacterTest : public ToolPanelTest,
                           public ::testing::WithParamInterface<CharacterCase> {};

TEST_P(FieldCharacterTest, OnlyDigitsSignsAndDecimalSeparatorAreAccepted) {
    for (SpinEdit* field : {hr(), penSize()}) {
        SCOPED_TRACE(field->objectName().toStdString());
        const int beepsBefore = prompts.beeps;
        QLineEdit* edit = field->lineEdit();
        edit->setFocus();
        edit->end(false);
        const QString before = edit->text();
        QTest::keyClicks(edit, QString(QChar::fromLatin1(GetParam().typed)));
        EXPECT_EQ(edit->text() != before, GetParam().accepted);
        EXPECT_EQ(prompts.beeps - beepsBefore, GetParam().accepted ? 0 : 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Characters, FieldCharacterTest,
                         ::testing::Values(CharacterCase{'7', true}, CharacterCase{'0', true},
                                           CharacterCase{'+', true}, CharacterCase{'-', true},
                                           CharacterCase{'a', false}, CharacterCase{'Z', false},
                                           CharacterCase{' ', false}, CharacterCase{'*', false},
                                           CharacterCase{'/', false}));

}  // namespace
}  // namespace kreslix::testing
