#include <QAccessible>
#include <QLayout>
#include <QMenuBar>
#include <QSizeGrip>

#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

class ViewTest : public WindowTest {
protected:
    // Lets the layout place the panels after a toggle.
    void settle() const {
        window->centralWidget()->layout()->activate();
        QCoreApplication::processEvents();
    }
    QRect geometryOf(const char* name) const { return child(name)->geometry(); }
    QString text(int panel) const { return statusBar()->panelText(panel); }
};

struct PanelToggle {
    const char* item;
    const char* panel;
};

const PanelToggle kToggles[] = {{"ZobrNast", "OknoNastroje"},
                                {"ZobrFar", "OknoFarby"},
                                {"ZobrazHorne", "OknoTlacidla"},
                                {"ZobrHelp", "DolnyPanel"}};

TEST_F(ViewTest, EachToggleInvertsItsPanelAndCheckMarkAndGivesTheSpaceToThePicture) {
    const QImage picture = window->document().image();
    for (const PanelToggle& toggle : kToggles) {
        SCOPED_TRACE(toggle.item);
        QWidget* panel = child(toggle.panel);
        const QSize panelSize = panel->size();
        const QSize areaBefore = geometryOf("ScrollBox1").size();
        choose(toggle.item);
        settle();
        EXPECT_FALSE(panel->isVisible());
        EXPECT_FALSE(action(toggle.item)->isChecked());
        const QSize areaHidden = geometryOf("ScrollBox1").size();
        EXPECT_TRUE(areaHidden.width() == areaBefore.width() + panelSize.width() ||
                    areaHidden.height() == areaBefore.height() + panelSize.height());
        choose(toggle.item);
        settle();
        EXPECT_TRUE(panel->isVisible());
        EXPECT_TRUE(action(toggle.item)->isChecked());
        EXPECT_EQ(panel->size(), panelSize);
        EXPECT_EQ(geometryOf("ScrollBox1").size(), areaBefore);
    }
    EXPECT_EQ(window->document().image(), picture);
}

TEST_F(ViewTest, ColourPanelShownAgainDocksBelowTheStatusBarAndViceVersa) {
    settle();
    EXPECT_LT(geometryOf("OknoFarby").top(), geometryOf("DolnyPanel").top());
    const int bottom = geometryOf("DolnyPanel").bottom();

    choose("ZobrFar");
    choose("ZobrFar");
    settle();
    EXPECT_LT(geometryOf("DolnyPanel").top(), geometryOf("OknoFarby").top());
    EXPECT_EQ(geometryOf("OknoFarby").bottom(), bottom);
    EXPECT_EQ(geometryOf("DolnyPanel").bottom() + 1, geometryOf("OknoFarby").top());

    choose("ZobrHelp");
    choose("ZobrHelp");
    settle();
    EXPECT_LT(geometryOf("OknoFarby").top(), geometryOf("DolnyPanel").top());
    EXPECT_EQ(geometryOf("DolnyPanel").bottom(), bottom);
    EXPECT_EQ(geometryOf("DolnyPanel").height(), 18);
    EXPECT_EQ(geometryOf("OknoFarby").height(), 45);
}

TEST_F(ViewTest, WithAllFourPanelsHiddenThePictureAreaFillsTheClientArea) {
    for (const PanelToggle& toggle : kToggles)
        choose(toggle.item);
    settle();
    EXPECT_EQ(geometryOf("ScrollBox1"), window->centralWidget()->rect());
    EXPECT_TRUE(window->menuBar()->isVisible());
    EXPECT_EQ(window->centralWidget()->geometry().top(),
              window->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window->centralWidget()->geometry().bottom(), window->rect().bottom());
}

// One step of the status bar's four states: the item chosen, then what the bar shows.
struct StatusStep {
    const char* item;
    bool barShown;
    bool displayOn;
    bool itemEnabled;
};

TEST_F(ViewTest, StatusBarAndPositionDisplayMoveThroughTheirFourStates) {
    const StatusStep steps[] = {
        {nullptr, true, true, true},       {"PozKurzor", true, false, true},
        {"ZobrHelp", false, false, false}, {"ZobrHelp", true, false, true},
        {"PozKurzor", true, true, true},   {"ZobrHelp", false, true, false},
        {"PozKurzor", false, true, false},  // disabled: choosing it does nothing
        {"ZobrHelp", true, true, true},
    };
    for (const StatusStep& step : steps) {
        SCOPED_TRACE(step.item ? step.item : "start");
        if (step.item)
            choose(step.item);
        EXPECT_EQ(statusBar()->isVisible(), step.barShown);
        EXPECT_EQ(action("ZobrHelp")->isChecked(), step.barShown);
        EXPECT_EQ(action("PozKurzor")->isChecked(), step.displayOn);
        EXPECT_EQ(action("PozKurzor")->isEnabled(), step.itemEnabled);

        move({10, 20}, Qt::NoButton);
        press({11, 21}, Qt::RightButton);
        release({11, 21}, Qt::MiddleButton);
        EXPECT_EQ(text(0), step.displayOn ? QStringLiteral("Pozícia: 10,20") : QString());
        EXPECT_EQ(text(1), step.displayOn ? QStringLiteral("11,21") : QString());
        if (step.displayOn) {
            statusBar()->setPanelText(0, QString());
            statusBar()->setPanelText(1, QString());
        }
    }
}

TEST_F(ViewTest, MovesWriteThePositionPressesThePressPointAndReleasesNothing) {
    EXPECT_EQ(statusBar()->height(), 18);
    EXPECT_EQ(child("DolnyPanelText0")->width(), 150);
    move({10, 20}, Qt::NoButton);
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: 10,20"));
    EXPECT_EQ(text(1), QString());
    press({10, 20});
    EXPECT_EQ(text(1), QStringLiteral("10,20"));
    move({30, 5});
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: 30,5"));
    EXPECT_EQ(text(1), QStringLiteral("10,20"));
    // Captured by the left press: positions outside the picture, negative to its left.
    move({-4, 37});
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: -4,37"));
    release({-4, 37});
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: -4,37"));
    EXPECT_EQ(text(1), QStringLiteral("10,20"));
    press({0, 0}, Qt::RightButton);
    EXPECT_EQ(text(1), QStringLiteral("0,0"));
    release({400, 200}, Qt::LeftButton);
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: -4,37"));
    EXPECT_EQ(text(1), QStringLiteral("0,0"));
}

TEST_F(ViewTest, UncheckingThePositionEmptiesBothTextsAndCheckingItAgainWritesNothing) {
    move({1, 2}, Qt::NoButton);
    press({3, 4});
    release({3, 4});
    choose("PozKurzor");
    EXPECT_EQ(text(0), QString());
    EXPECT_EQ(text(1), QString());
    choose("PozKurzor");
    EXPECT_EQ(text(0), QString());
    EXPECT_EQ(text(1), QString());
    move({5, 6}, Qt::NoButton);
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: 5,6"));
    EXPECT_EQ(text(1), QString());
}

TEST_F(ViewTest, HiddenBarWithDisplayOnShowsTheLatestPositionWhenShownAgain) {
    choose("ZobrHelp");
    move({12, 34}, Qt::NoButton);
    press({7, 8}, Qt::RightButton);
    release({7, 8}, Qt::MiddleButton);
    choose("ZobrHelp");
    EXPECT_TRUE(statusBar()->isVisible());
    EXPECT_EQ(text(0), QStringLiteral("Pozícia: 12,34"));
    EXPECT_EQ(text(1), QStringLiteral("7,8"));
}

// Panel 0 from the bar's left end, 150 wide; panel 1 from 150 to the right end, under the grip.
TEST_F(ViewTest, StatusPanelsSpanTheBarFromEndToEnd) {
    for (const int width : {700, 900}) {
        window->resize(width, 500);
        settle();
        ASSERT_EQ(geometryOf("DolnyPanel"), QRect(0, statusBar()->y(), width, 18));
        EXPECT_EQ(geometryOf("DolnyPanelText0"), QRect(0, 0, 150, 18));
        EXPECT_EQ(geometryOf("DolnyPanelText1"), QRect(150, 0, width - 150, 18));
        auto* grip = statusBar()->findChild<QSizeGrip*>();
        ASSERT_NE(grip, nullptr);
        EXPECT_EQ(grip->geometry().right(), width - 1);
        EXPECT_EQ(grip->geometry().bottom(), 17);
    }
}

// A screen reader's user finds the grip by its name.
TEST_F(ViewTest, SizeGripHasAName) {
    auto* grip = statusBar()->findChild<QSizeGrip*>();
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grip)->text(QAccessible::Name),
              QStringLiteral("Zmena veľkosti okna"));
}

}  // namespace
}  // namespace kreslix::testing
