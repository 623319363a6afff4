#include <gtest/gtest.h>

#include <climits>

#include "tests/drawing/picture_target.h"

namespace kreslix::testing {
namespace {

class EveryTool : public ::testing::TestWithParam<int> {};

TEST_P(EveryTool, PressAloneChangesNothingAndEachStepEnablesSave) {
    PictureTarget target(20, 20);
    target.tools.CurrentTool = static_cast<quint8>(GetParam());
    const bool marks = GetParam() != kColourPicker;
    target.engine.FormMouseDown(3, 3);
    EXPECT_TRUE(target.engine.Pressed);
    EXPECT_EQ(target.engine.StartPoint, QPoint(3, 3));
    EXPECT_EQ(target.engine.LastPoint, QPoint(3, 3));
    EXPECT_EQ(target.pictureCanvas.penPos(), QPoint(3, 3));
    EXPECT_FALSE(target.saveEnabled);
    EXPECT_FALSE(target.modified);
    EXPECT_EQ(target.image, filledPicture(20, 20, kWhite));

    target.engine.FormMouseMove(9, 12);
    EXPECT_TRUE(target.saveEnabled);
    EXPECT_EQ(target.modified, marks);
    EXPECT_EQ(target.engine.LastPoint, QPoint(9, 12));

    target.saveEnabled = false;
    target.modified = false;
    target.engine.FormMouseUp(9, 12);
    EXPECT_TRUE(target.saveEnabled);
    EXPECT_EQ(target.modified, marks);
    EXPECT_FALSE(target.engine.Pressed);
    EXPECT_EQ(target.engine.LastPoint, QPoint(9, 12));

    // A click without a move is one step too: a figure from the point to itself.
    target.saveEnabled = false;
    target.modified = false;
    target.stroke({15, 15}, {}, {15, 15});
    EXPECT_TRUE(target.saveEnabled);
    EXPECT_EQ(target.modified, marks);
}

TEST_P(EveryTool, CoordinatesFarOutsideThePictureAreClippedWithoutHarm) {
    PictureTarget target(16, 16);
    target.tools.CurrentTool = static_cast<quint8>(GetParam());
    target.hr = 3;
    target.pictureCanvas.brush().setColour(0x000000FF);
    target.stroke({INT_MIN, INT_MIN}, {{INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}},
                  {INT_MAX, INT_MIN});
    target.stroke({-1000000000, -1000000000}, {{1000000000, 1000000000}}, {1000000000, 1000000000});
    if (GetParam() == kLine || GetParam() == kPencil || GetParam() == kBrush) {
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(target.at(i, i), kBlack) << i;
    }
    if (GetParam() == kRectangle) {
        EXPECT_EQ(target.at(8, 8), 0x000000FFu);
    }
    EXPECT_FALSE(target.engine.Pressed);
}

INSTANTIATE_TEST_SUITE_P(Tools, EveryTool, ::testing::Range(0, 9));

TEST(OpenStroke, ANewPressReplacesTheStrokeAndKeepsTheOldPreview) {
    PictureTarget target(20, 20);
    target.tools.CurrentTool = kRectangle;
    target.pictureCanvas.brush().setStyle(bsClear);
    target.engine.FormMouseDown(1, 1);
    target.engine.FormMouseMove(6, 6);
    const QImage preview = target.image;
    target.engine.FormMouseDown(10, 10);
    EXPECT_EQ(target.engine.StartPoint, QPoint(10, 10));
    EXPECT_EQ(target.engine.LastPoint, QPoint(10, 10));
    target.engine.FormMouseUp(10, 10);
    EXPECT_EQ(target.image, preview);
    EXPECT_EQ(target.at(1, 1), kBlack);
}

TEST(OpenStroke, FreehandToolAfterAShapePreviewDrawsInNotXor) {
    PictureTarget target(20, 4);
    target.tools.CurrentTool = kLine;
    target.engine.FormMouseDown(1, 1);
    target.engine.FormMouseMove(2, 1);
    target.tools.CurrentTool = kPencil;
    target.engine.FormMouseMove(10, 1);
    // The pencil's segment inverts the white pixels it crosses with the black pen.
    EXPECT_EQ(target.at(5, 1), kBlack);
    // Back again: the pixels crossed twice are white again, those crossed once stay black.
    target.engine.FormMouseMove(2, 1);
    EXPECT_EQ(target.at(5, 1), kWhite);
    EXPECT_EQ(target.at(2, 1), kBlack);
    EXPECT_EQ(target.at(10, 1), kBlack);
    EXPECT_EQ(target.pictureCanvas.pen().mode(), pmNotXor);
}

}  // namespace
}  // namespace kreslix::testing
