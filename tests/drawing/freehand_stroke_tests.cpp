#include <gtest/gtest.h>

#include <climits>

#include "tests/drawing/picture_target.h"

namespace kreslix::testing {
namespace {

TEST(PencilStroke, DrawsOnePixelWideWhateverThePenAndKeepsThePenWidth) {
    PictureTarget target(10, 8);
    target.tools.CurrentTool = kPencil;
    target.pictureCanvas.pen().setWidth(5);
    target.stroke({1, 1}, {{6, 1}, {6, 4}}, {8, 4});
    QImage expected = filledPicture(10, 8, kWhite);
    for (QPoint p : {QPoint(1, 1), QPoint(2, 1), QPoint(3, 1), QPoint(4, 1), QPoint(5, 1),
                     QPoint(6, 1), QPoint(6, 2), QPoint(6, 3), QPoint(6, 4), QPoint(7, 4)}) {
        setPixel(expected, p.x(), p.y(), kBlack);
    }
    EXPECT_EQ(differences(target.image, expected), std::vector<std::string>{});
    EXPECT_EQ(target.pictureCanvas.pen().width(), 5);
}

TEST(BrushStroke, DrawsWithThePenAsItIs) {
    PictureTarget thin(10, 8), wide(10, 8);
    for (PictureTarget* target : {&thin, &wide})
        target->tools.CurrentTool = kBrush;
    wide.pictureCanvas.pen().setWidth(3);
    thin.stroke({1, 4}, {{5, 4}}, {8, 4});
    wide.stroke({1, 4}, {{5, 4}}, {8, 4});
    QImage expected = filledPicture(10, 8, kWhite);
    for (int x = 1; x < 8; ++x)
        setPixel(expected, x, 4, kBlack);
    EXPECT_EQ(differences(thin.image, expected), std::vector<std::string>{});
    for (int x = 2; x < 7; ++x) {
        EXPECT_EQ(wide.at(x, 3), kBlack) << x;
        EXPECT_EQ(wide.at(x, 5), kBlack) << x;
        EXPECT_EQ(wide.at(x, 1), kWhite) << x;
        EXPECT_EQ(wide.at(x, 7), kWhite) << x;
    }
    EXPECT_EQ(wide.pictureCanvas.pen().width(), 3);
}

TEST(FreehandStroke, MovesWithoutAPressDrawNothing) {
    PictureTarget target(10, 8);
    for (quint8 tool : {kPencil, kBrush, kEraser, kSpray}) {
        target.tools.CurrentTool = tool;
        target.engine.FormMouseMove(5, 5);
        target.engine.FormMouseUp(7, 7);
    }
    EXPECT_EQ(target.image, filledPicture(10, 8, kWhite));
    EXPECT_FALSE(target.saveEnabled);
    EXPECT_FALSE(target.modified);
}

// A white line of the given width on a black picture, drawn by the canvas itself.
QImage whiteStroke(int width, int height, int penWidth, QPoint from, QPoint to) {
    QImage expected = filledPicture(width, height, kBlack);
    Canvas canvas(&expected);
    canvas.pen().setColour(kWhite);
    canvas.pen().setWidth(penWidth);
    canvas.MoveTo(from.x(), from.y());
    canvas.LineTo(to.x(), to.y());
    return expected;
}

struct EraserCase {
    int penWidth;
    int hr;
    BrushStyle style;
};

class EraserStroke : public ::testing::TestWithParam<EraserCase> {};

// The move's first step (a line of no length) already restores the pen width from `hr`, so the
// segment drawn is six times `hr` wide.
TEST_P(EraserStroke, PaintsWhiteSixTimesAsWideThenRestoresFromTheSwatchesAndHr) {
    const EraserCase& c = GetParam();
    PictureTarget target(40, 30, kBlack);
    target.tools.CurrentTool = kEraser;
    target.hr = c.hr;
    Pen& pen = target.pictureCanvas.pen();
    Brush& brush = target.pictureCanvas.brush();
    pen.setWidth(c.penWidth);
    pen.setColour(0x00336699);
    brush.setColour(0x00102030);
    brush.setStyle(c.style);
    target.tools.setForeground(0x000000FF);
    target.tools.setBackground(0x0000FF00);

    target.engine.FormMouseDown(5, 15);
    target.engine.FormMouseMove(30, 15);
    EXPECT_EQ(differences(target.image, whiteStroke(40, 30, 6 * c.hr, {5, 15}, {30, 15})),
              std::vector<std::string>{});
    // The stroke is 6 × the pen width wide around row 15, not more.
    const int half = 6 * c.hr / 2;
    EXPECT_EQ(target.at(17, 15), kWhite);
    EXPECT_EQ(target.at(17, 15 - half + 1), kWhite);
    EXPECT_EQ(target.at(17, 15 + half - 1), kWhite);
    if (15 - half - 1 >= 0) {
        EXPECT_EQ(target.at(17, 15 - half - 1), kBlack);
    }
    if (15 + half + 1 < 30) {
        EXPECT_EQ(target.at(17, 15 + half + 1), kBlack);
    }

    EXPECT_EQ(pen.colour(), 0x000000FFu);
    EXPECT_EQ(pen.width(), c.hr);
    EXPECT_EQ(pen.mode(), pmCopy);
    EXPECT_EQ(brush.style(), c.style);
    EXPECT_EQ(brush.colour(), c.style == bsSolid ? 0x0000FF00u : kWhite);
    EXPECT_TRUE(target.modified);
}

INSTANTIATE_TEST_SUITE_P(Widths, EraserStroke,
                         ::testing::Values(EraserCase{1, 1, bsSolid}, EraserCase{1, 1, bsClear},
                                           EraserCase{2, 3, bsSolid}, EraserCase{3, 1, bsClear}));

TEST(EraserStroke, ClickErasesSixTimesThePenWidthBeforeRestoringIt) {
    PictureTarget target(40, 10, kBlack);
    target.tools.CurrentTool = kEraser;
    target.pictureCanvas.pen().setWidth(2);
    target.stroke({5, 5}, {}, {30, 5});
    EXPECT_EQ(differences(target.image, whiteStroke(40, 10, 12, {5, 5}, {30, 5})),
              std::vector<std::string>{});
}

// A click draws one segment with the pen as it is, before anything restores it.
TEST(EraserStroke, HugePenWidthIsCappedAndCoversThePicture) {
    for (int width : {INT_MAX / 6 + 1, INT_MAX}) {
        PictureTarget target(20, 10, kBlack);
        target.tools.CurrentTool = kEraser;
        target.hr = 4;
        target.pictureCanvas.pen().setWidth(width);
        target.stroke({2, 2}, {}, {3, 2});
        EXPECT_EQ(target.image, filledPicture(20, 10, kWhite)) << width;
        EXPECT_EQ(target.pictureCanvas.pen().width(), 4);
    }
}

TEST(EraserStroke, WidthFieldOfZeroLeavesAZeroWidthPenAndNegativeIsIgnored) {
    PictureTarget target(20, 10, kBlack);
    target.tools.CurrentTool = kEraser;
    target.pictureCanvas.pen().setWidth(2);
    target.hr = 0;
    target.stroke({2, 5}, {{8, 5}}, {8, 5});
    EXPECT_EQ(target.pictureCanvas.pen().width(), 0);
    target.hr = -7;
    target.stroke({2, 5}, {{8, 5}}, {8, 5});
    EXPECT_EQ(target.pictureCanvas.pen().width(), 0);
}

}  // namespace
}  // namespace kreslix::testing
