#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "app/colour_panel.h"
#include "app/main_menu.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

class WindowStrokeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->document().setSaveButtonEnabled(false);
        ASSERT_FALSE(child("TlacitkoUloz")->isEnabled());
    }
    bool strokeOpen() const { return window->strokes().Pressed; }
    QMenu* popup() const { return window->menu().popup(); }
};

TEST_F(WindowStrokeTest, LeftPressCapturesMovesAndReleaseOutsideThePicture) {
    press({10, 10});
    EXPECT_FALSE(window->document().saveButtonEnabled());
    move({-20, 10});
    EXPECT_EQ(pixel(0, 10), kBlack) << "preview reaching the left edge";
    move({600, 10});
    EXPECT_EQ(pixel(487, 10), kBlack) << "preview reaching the right edge";
    EXPECT_EQ(pixel(0, 10), kWhite);
    release({600, 10});
    EXPECT_FALSE(strokeOpen());
    for (int x : {10, 200, 487})
        EXPECT_EQ(pixel(x, 10), kBlack) << x;
    EXPECT_EQ(pixel(9, 10), kWhite);
    EXPECT_TRUE(window->document().saveButtonEnabled());
    EXPECT_TRUE(child("TlacitkoUloz")->isEnabled());
    EXPECT_EQ(window->document().modified(), 1);
    EXPECT_FALSE(popup()->isVisible());
}

TEST_F(WindowStrokeTest, RightStrokeReleasedOutsideStaysOpenAndGoesOnOverThePicture) {
    press({10, 10}, Qt::RightButton);
    move({50, 10}, Qt::RightButton);
    EXPECT_EQ(pixel(30, 10), kBlack);
    // Outside the picture nothing arrives: no preview change, no release.
    move({-30, 10}, Qt::RightButton);
    EXPECT_EQ(pixel(30, 10), kBlack);
    EXPECT_EQ(pixel(0, 10), kWhite);
    release({-30, 10}, Qt::RightButton);
    EXPECT_TRUE(strokeOpen());
    EXPECT_FALSE(popup()->isVisible());
    // Back over the picture without a button: the preview follows.
    move({10, 40}, Qt::NoButton);
    EXPECT_EQ(pixel(30, 10), kWhite);
    EXPECT_EQ(pixel(10, 30), kBlack);
    release({10, 40}, Qt::MiddleButton);
    EXPECT_FALSE(strokeOpen());
    EXPECT_EQ(pixel(10, 30), kBlack);
    EXPECT_FALSE(popup()->isVisible());
}

TEST_F(WindowStrokeTest, RightReleaseOverThePictureEndsTheStrokeThenOpensThePopup) {
    bool openWhenShown = true;
    QImage pictureWhenShown;
    QObject::connect(popup(), &QMenu::aboutToShow, window.get(), [&] {
        openWhenShown = strokeOpen();
        pictureWhenShown = window->document().image();
    });
    click("ObdlTl");
    press({5, 5}, Qt::RightButton);
    move({20, 20}, Qt::RightButton);
    release({20, 20}, Qt::RightButton);
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_FALSE(openWhenShown);
    EXPECT_EQ(pictureWhenShown, window->document().image());
    EXPECT_EQ(pixel(5, 5), kBlack);
    EXPECT_EQ(pixel(19, 19), kBlack);
    popup()->hide();
}

// While the left button holds the capture, a right or middle release anywhere reaches the
// window and ends the stroke there; the left release that follows finds no stroke.
TEST_F(WindowStrokeTest, OtherReleaseDuringLeftCaptureEndsTheStrokeAnywhere) {
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        press({10, 10});
        move({5, 10});
        release({-20, 10}, other);
        EXPECT_FALSE(strokeOpen()) << other;
        EXPECT_FALSE(popup()->isVisible());
        for (int x = 0; x <= 10; ++x)
            ASSERT_EQ(pixel(x, 10), kBlack) << "the final line reaches the release point " << x;
        release({-20, 10});
        EXPECT_FALSE(strokeOpen());
        window->document().image().fill(Qt::white);
    }
}

TEST_F(WindowStrokeTest, ColourPickerEnablesSaveWithoutMarkingTheDocument) {
    click("SpeedButton4");
    press({3, 3});
    release({3, 3});
    EXPECT_TRUE(window->document().saveButtonEnabled());
    EXPECT_EQ(window->document().modified(), 0);
    press({3, 3});
    move({-4, 3});
    release({-4, 3});
    EXPECT_EQ(window->document().canvas().pen().colour(), kOutsideColour);
    EXPECT_EQ(window->findChild<ColourCell*>("FarbaPop")->colour(), kOutsideColour);
}

// On a screen with a fractional or doubled device pixel ratio the window delivers unrounded
// positions: each reaches the picture pixel it lies on (the floor, also below 0), for the press,
// the moves, the release and both status texts, never the rounded neighbour.
TEST_F(WindowStrokeTest, UnroundedPositionsReachThePixelTheyLieOn) {
    QImage& picture = window->document().image();
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(x, y, 7));
    }
    click("SpeedButton4");
    press({20.75, 20.5});
    EXPECT_EQ(statusBar()->panelText(1), QStringLiteral("20,20"));
    move({-0.5, 37.6});
    EXPECT_EQ(statusBar()->panelText(0), QStringLiteral("Pozícia: -1,37"));
    EXPECT_EQ(window->tools().foreground(), kOutsideColour) << "the picker read outside";
    move({12.67, 30.5});
    EXPECT_EQ(statusBar()->panelText(0), QStringLiteral("Pozícia: 12,30"));
    release({9.5, 3.99});
    EXPECT_EQ(window->tools().foreground(), fromPixel(qRgb(9, 3, 7)));

    click("CiaraTl");
    press({5.5, 36.5});
    move({9.75, 36.5});
    release({9.75, 36.5});
    for (int x = 4; x <= 10; ++x) {
        EXPECT_EQ(pixel(x, 36) == fromPixel(qRgb(9, 3, 7)), x >= 5 && x < 9)
            << x << " on the line drawn in the picked colour";
    }
}

// A command run while a shape is dragged sees the picture without the preview, and the stroke
// is over: the release, or moves after a modal prompt took the release, draw nothing. The View
// items leave the drag alone.
TEST_F(WindowStrokeTest, CommandsEndADragFirst) {
    struct Case {
        const char* item;
        bool endsStroke;
    };
    for (const Case& c : {Case{"Copy1", true}, Case{"Zmazaobrzok1", true},
                          Case{"Prevratitvodorovne1", true}, Case{"ZobrFar", false}}) {
        SCOPED_TRACE(c.item);
        window->document().image().fill(Qt::white);
        const QImage white = window->document().image().copy();
        prompts.clearAnswers = {{false, false}};
        press({10, 10});
        move({60, 10});
        ASSERT_EQ(pixel(30, 10), kBlack) << "no preview";
        choose(c.item);
        EXPECT_EQ(strokeOpen(), !c.endsStroke);
        if (!c.endsStroke) {
            release({60, 10});
            EXPECT_EQ(pixel(30, 10), kBlack);
            continue;
        }
        EXPECT_EQ(window->document().image(), white);
        EXPECT_EQ(window->document().canvas().pen().mode(), pmCopy);
        if (QLatin1String(c.item) == QLatin1String("Copy1")) {
            EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                      white);
        }
        move({60, 30}, Qt::NoButton);
        move({60, 30});
        release({60, 30});
        EXPECT_EQ(window->document().image(), white);
    }
}

}  // namespace
}  // namespace kreslix::testing
