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

// On a scaled screen the window delivers unrounded positions: the status texts and the picker
// take the pixel each lies on (the floor, also below 0), never the rounded neighbour.
TEST_F(WindowStrokeTest, UnroundedPositionsReachThePixelTheyLieOn) {
    window->document().image().setPixel(9, 3, qRgb(9, 3, 7));
    click("SpeedButton4");
    press({20.75, 20.5});
    EXPECT_EQ(statusBar()->panelText(1), QStringLiteral("20,20"));
    move({-0.5, 37.6});
    EXPECT_EQ(statusBar()->panelText(0), QStringLiteral("Pozícia: -1,37"));
    release({9.5, 3.99});
    EXPECT_EQ(window->tools().foreground(), fromPixel(qRgb(9, 3, 7)));
}

}  // namespace
}  // namespace kreslix::testing
