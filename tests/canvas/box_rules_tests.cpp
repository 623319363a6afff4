#include <gtest/gtest.h>

#include <climits>

#include "canvas_support.h"

namespace kreslix::test {
namespace {

// Draws one figure with a black pen and a red brush on a white 10 x 8 picture.
struct FigureCase {
    const char* name;
    int penWidth;
    void (*draw)(Canvas&);
    std::vector<std::string> expected;
};

class FigurePixels : public testing::TestWithParam<FigureCase> {};

TEST_P(FigurePixels, AreExact) {
    const FigureCase& c = GetParam();
    Picture p(10, 8);
    p.canvas.pen().setWidth(c.penWidth);
    p.canvas.brush().setColour(kRed);
    c.draw(p.canvas);
    EXPECT_EQ(asText(p.image), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FigurePixels,
    testing::Values(FigureCase{"RectangleWidth0",
                               0,
                               [](Canvas& c) { c.Rectangle(1, 1, 6, 5); },
                               {"..........", ".#####....", ".#rrr#....", ".#rrr#....",
                                ".#####....", "..........", "..........", ".........."}},
                    FigureCase{"RectangleCornersSwapped",
                               1,
                               [](Canvas& c) { c.Rectangle(6, 1, 1, 5); },
                               {"..........", ".#####....", ".#rrr#....", ".#rrr#....",
                                ".#####....", "..........", "..........", ".........."}},
                    FigureCase{"RectangleOneColumn",
                               1,
                               [](Canvas& c) { c.Rectangle(2, 1, 3, 4); },
                               {"..........", "..#.......", "..#.......", "..#.......",
                                "..........", "..........", "..........", ".........."}},
                    FigureCase{"RectangleZeroHeight",
                               1,
                               [](Canvas& c) { c.Rectangle(2, 3, 8, 3); },
                               {"..........", "..........", "..........", "..........",
                                "..........", "..........", "..........", ".........."}},
                    // Even widths put the stroke on the box edges, half outside.
                    FigureCase{"RectangleWidth2",
                               2,
                               [](Canvas& c) { c.Rectangle(2, 2, 6, 6); },
                               {"..........", ".######...", ".######...", ".##rr##...",
                                ".##rr##...", ".######...", ".######...", ".........."}},
                    // Odd widths centre the stroke on the border pixels.
                    FigureCase{"RectangleWidth3",
                               3,
                               [](Canvas& c) { c.Rectangle(2, 2, 7, 7); },
                               {"..........", ".#######..", ".#######..", ".#######..",
                                ".###r###..", ".#######..", ".#######..", ".#######.."}},
                    // Wider pens round the outer corners.
                    FigureCase{"RectangleWidth5",
                               5,
                               [](Canvas& c) { c.Rectangle(3, 3, 7, 6); },
                               {"..........", "..######..", ".########.", ".########.",
                                ".########.", ".########.", ".########.", "..######.."}},
                    FigureCase{"EllipseEvenSize",
                               1,
                               [](Canvas& c) { c.Ellipse(0, 0, 4, 4); },
                               {".##.......", "#rr#......", "#rr#......", ".##.......",
                                "..........", "..........", "..........", ".........."}},
                    FigureCase{"EllipseOddSize",
                               1,
                               [](Canvas& c) { c.Ellipse(0, 0, 5, 5); },
                               {".###......", "#rrr#.....", "#rrr#.....", "#rrr#.....",
                                ".###......", "..........", "..........", ".........."}},
                    FigureCase{"RoundRectSquareWhenZero",
                               1,
                               [](Canvas& c) { c.RoundRect(0, 0, 4, 3, 0, 9); },
                               {"####......", "#rr#......", "####......", "..........",
                                "..........", "..........", "..........", ".........."}},
                    FigureCase{"RoundRectSignsIgnored",
                               1,
                               [](Canvas& c) { c.RoundRect(0, 0, 8, 6, -4, INT_MIN); },
                               {".######...", "#rrrrrr#..", "#rrrrrr#..", "#rrrrrr#..",
                                "#rrrrrr#..", ".######...", "..........", ".........."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxRules, RectangleAroundThePictureFillsEveryPixelWithTheBrush) {
    Picture p(7, 5);
    p.canvas.pen().setWidth(0);
    p.canvas.brush().setColour(kBlue);
    p.canvas.Rectangle(-1, -1, 8, 6);
    for (const std::string& row : asText(p.image))
        EXPECT_EQ(row, "bbbbbbb");
    ASSERT_EQ(p.changes.size(), 1u);
    EXPECT_EQ(p.changes[0], QRect(0, 0, 7, 5));
}

TEST(BoxRules, RectangleOnThePictureEdgesOutlinesTheBorderPixels) {
    Picture p(6, 4);
    p.canvas.pen().setWidth(0);
    p.canvas.brush().setColour(kBlue);
    p.canvas.Rectangle(0, 0, 6, 4);
    EXPECT_EQ(asText(p.image), (std::vector<std::string>{"######", "#bbbb#", "#bbbb#", "######"}));
}

TEST(BoxRules, ReversedCornersLeaveTheFarCornerUntouched) {
    Picture p(12, 12);
    p.canvas.brush().setColour(kBlue);
    p.canvas.Rectangle(10, 10, 5, 5);
    EXPECT_EQ(p.canvas.Pixels(10, 10), kWhite);
    for (int i = 5; i <= 9; ++i) {
        EXPECT_EQ(p.canvas.Pixels(5, i), kBlack);
        EXPECT_EQ(p.canvas.Pixels(9, i), kBlack);
        EXPECT_EQ(p.canvas.Pixels(i, 5), kBlack);
        EXPECT_EQ(p.canvas.Pixels(i, 9), kBlack);
    }
    EXPECT_EQ(p.canvas.Pixels(7, 7), kBlue);
    EXPECT_EQ(p.canvas.Pixels(4, 7), kWhite);
}

TEST(BoxRules, ClearBrushLeavesTheInsideAlone) {
    Picture p(8, 8, kGreen);
    p.canvas.brush().setStyle(bsClear);
    p.canvas.Ellipse(0, 0, 8, 8);
    EXPECT_EQ(p.canvas.Pixels(4, 4), kGreen);
    EXPECT_EQ(p.canvas.Pixels(0, 4), kBlack);
}

TEST(BoxRules, NotXorAppliesToOutlineAndFill) {
    Picture p(6, 6, kRed);
    p.canvas.pen().setMode(pmNotXor);
    p.canvas.pen().setColour(kBlack);    // inverts
    p.canvas.brush().setColour(kWhite);  // keeps
    p.canvas.Rectangle(0, 0, 6, 6);
    EXPECT_EQ(p.canvas.Pixels(0, 0), 0x00FFFF00u);
    EXPECT_EQ(p.canvas.Pixels(3, 3), kRed);
    EXPECT_EQ(qAlpha(p.image.pixel(0, 0)), 0xFF);
}

TEST(PixelAccess, OutsideReadsAsOutsideColourAndWritesNothing) {
    Picture p(5, 3);
    for (const QPoint& pt :
         {QPoint(-1, 0), QPoint(5, 0), QPoint(0, -1), QPoint(0, 3), QPoint(INT_MIN, INT_MAX)}) {
        EXPECT_EQ(p.canvas.Pixels(pt.x(), pt.y()), kOutsideColour);
        p.canvas.SetPixels(pt.x(), pt.y(), kRed);
    }
    EXPECT_TRUE(p.changes.empty());
    p.canvas.SetPixels(4, 2, kRed);
    EXPECT_EQ(p.canvas.Pixels(4, 2), kRed);
    EXPECT_EQ(p.changes, std::vector<QRect>{QRect(4, 2, 1, 1)});
}

TEST(PixelAccess, OutsideColourDrawsAsBlack) {
    Picture p(5, 3);
    p.canvas.SetPixels(1, 1, kOutsideColour);
    p.canvas.pen().setColour(kOutsideColour);
    p.canvas.MoveTo(0, 2);
    p.canvas.LineTo(3, 2);
    EXPECT_EQ(asText(p.image), (std::vector<std::string>{".....", ".#...", "###.."}));
}

TEST(PenAndBrush, BrushColourAndStyleAreCoupled) {
    Brush brush;
    brush.setStyle(bsClear);
    brush.setColour(kRed);
    EXPECT_EQ(brush.style(), bsSolid);
    EXPECT_EQ(brush.colour(), kRed);
    brush.setStyle(bsClear);
    brush.setStyle(bsSolid);
    EXPECT_EQ(brush.colour(), kWhite);
}

TEST(PenAndBrush, NegativeWidthIsIgnored) {
    Pen pen;
    pen.setWidth(4);
    pen.setWidth(-3);
    EXPECT_EQ(pen.width(), 4);
}

}  // namespace
}  // namespace kreslix::test
