#include <QToolButton>

#include <QApplication>

#include "app/colour_panel.h"
#include "dialogs/spin_edit.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

struct PaletteCell {
    const char* name;
    Colour colour;
};

// Row 1, then row 2, each from the left.
const PaletteCell kPalette[16] = {
    {"biela", 0x00FFFFFF},          {"siva", 0x00C0C0C0},       {"zlta", 0x0000FFFF},
    {"zelena", 0x0000FF00},         {"cervena", 0x000000FF},    {"modra", 0x00FF0000},
    {"ruzova", 0x00FF00FF},         {"tyrkysova", 0x00FFFF00},  {"cierna", 0x00000000},
    {"silnosiva", 0x00808080},      {"silnozlta", 0x00008080},  {"silnozelena", 0x00008000},
    {"silnocervena", 0x00000080},   {"silnomodra", 0x00800000}, {"fialova", 0x00800080},
    {"tmavotyrkysova", 0x00808000},
};

class ColourPanelTest : public WindowTest {
protected:
    ColourCell* cell(const char* name) const { return child<ColourCell>(name); }
    const Pen& pen() const { return window->document().canvas().pen(); }
    const Brush& brush() const { return window->document().canvas().brush(); }
    // A click on the frame of `FarbaPoz`, outside the inner swatch.
    void clickBackgroundFrame() const { click("FarbaPoz", QPoint(2, 2)); }
};

TEST_F(ColourPanelTest, SixteenPaletteCellsStandInTwoOverlappingRows) {
    QWidget* panel = child("OknoFarby");
    EXPECT_EQ(panel->height(), 45);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(kPalette[i].name);
        ColourCell* c = cell(kPalette[i].name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parentWidget(), panel);
        EXPECT_EQ(c->geometry(), QRect(64 + 32 * (i % 8), 8 + 16 * (i / 8), 33, 17));
        EXPECT_EQ(c->colour(), kPalette[i].colour);
        EXPECT_EQ(c->frameShape(), QFrame::Box);
    }
}

TEST_F(ColourPanelTest, PaletteClickSetsThePenAndForegroundSwatchOnly) {
    for (const PaletteCell& entry : {kPalette[4], kPalette[13], kPalette[0]}) {
        SCOPED_TRACE(entry.name);
        click(entry.name);
        EXPECT_EQ(pen().colour(), entry.colour);
        EXPECT_EQ(cell("FarbaPop")->colour(), entry.colour);
        EXPECT_EQ(window->tools().foreground(), entry.colour);
        EXPECT_EQ(brush().colour(), kWhite);
        EXPECT_EQ(cell("FarbaPoz")->colour(), kWhite);
    }
    EXPECT_TRUE(prompts.log.isEmpty());
    EXPECT_EQ(window->document().modified(), 0);
}

TEST_F(ColourPanelTest, SwatchesHaveTheirPlacesHintsAndCursor) {
    ColourCell* background = cell("FarbaPoz");
    ColourCell* foreground = cell("FarbaPop");
    EXPECT_EQ(background->parentWidget(), child("OknoFarby"));
    EXPECT_EQ(background->geometry(), QRect(10, 12, 41, 25));
    EXPECT_EQ(background->toolTip(), QStringLiteral("Vybrať farbu pozadia"));
    EXPECT_EQ(background->colour(), kWhite);
    EXPECT_EQ(foreground->parentWidget(), background);
    EXPECT_EQ(foreground->geometry(), QRect(6, 4, 29, 17));
    EXPECT_EQ(foreground->toolTip(), QStringLiteral("Vybrať farbu popredia"));
    EXPECT_EQ(foreground->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(foreground->colour(), kBlack);
}

TEST_F(ColourPanelTest, ForegroundDialogIsPresetWithThePenAndCancelChangesNothing) {
    click("silnomodra");
    prompts.colourAnswers = {std::nullopt, Colour{0x00123456}};
    click("FarbaPop");
    EXPECT_EQ(pen().colour(), 0x00800000u);
    EXPECT_EQ(cell("FarbaPop")->colour(), 0x00800000u);
    choose("Nastavifarbupopredia1");
    EXPECT_EQ(prompts.log, QStringList({"colour:00800000", "colour:00800000"}));
    EXPECT_EQ(pen().colour(), 0x00123456u);
    EXPECT_EQ(cell("FarbaPop")->colour(), 0x00123456u);
    EXPECT_EQ(brush().colour(), kWhite);
    EXPECT_EQ(cell("FarbaPoz")->colour(), kWhite);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ColourPanelTest, BackgroundDialogIsPresetWithTheBrushAndSetsBrushAndSwatch) {
    prompts.colourAnswers = {Colour{0x000000FF}, std::nullopt};
    clickBackgroundFrame();
    EXPECT_EQ(brush().colour(), 0x000000FFu);
    EXPECT_EQ(cell("FarbaPoz")->colour(), 0x000000FFu);
    choose("Nastavifarbupozadia1");
    EXPECT_EQ(prompts.log, QStringList({"colour:00ffffff", "colour:000000ff"}));
    EXPECT_EQ(brush().colour(), 0x000000FFu);
    EXPECT_EQ(pen().colour(), kBlack);
    EXPECT_EQ(cell("FarbaPop")->colour(), kBlack);
}

TEST_F(ColourPanelTest, EmptyThenFullToggleLeavesAWhiteSolidBrushWhateverTheSwatchShows) {
    prompts.colourAnswers = {Colour{0x0000FF00}, Colour{0x00FF0000}};
    choose("Nastavifarbupozadia1");
    click("ObdlTl");
    click("PrazdnyObj");
    EXPECT_EQ(brush().style(), bsClear);
    EXPECT_EQ(brush().colour(), kWhite);
    click("PlnyObj");
    EXPECT_EQ(brush().style(), bsSolid);
    EXPECT_EQ(brush().colour(), kWhite);
    EXPECT_EQ(cell("FarbaPoz")->colour(), 0x0000FF00u);

    // With the empty toggle down the dialog starts at white, and a chosen colour makes the
    // brush solid although the toggle stays down.
    click("PrazdnyObj");
    choose("Nastavifarbupozadia1");
    EXPECT_EQ(prompts.log.last(), QStringLiteral("colour:00ffffff"));
    EXPECT_EQ(brush().style(), bsSolid);
    EXPECT_EQ(brush().colour(), 0x00FF0000u);
    EXPECT_TRUE(child<QToolButton>("PrazdnyObj")->isChecked());
}

// The shortcuts reach the window while the focus is in the unseen width field.
TEST_F(ColourPanelTest, CtrlDAndCtrlZOpenTheDialogsAndLeaveThePictureAlone) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QImage before = window->document().image();
    prompts.colourAnswers = {Colour{0x00000080}, Colour{0x00008000}};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(prompts.log, QStringList({"colour:00000000", "colour:00ffffff"}));
    EXPECT_EQ(pen().colour(), 0x00000080u);
    EXPECT_EQ(brush().colour(), 0x00008000u);
    EXPECT_EQ(window->document().image(), before);
    EXPECT_EQ(window->document().modified(), 0);
    EXPECT_EQ(child<SpinEdit>("PenSize")->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace kreslix::testing
