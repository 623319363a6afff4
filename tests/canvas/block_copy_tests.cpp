#include <gtest/gtest.h>

#include <climits>

#include "canvas_support.h"

namespace kreslix::test {
namespace {

// A 3 x 2 graphic: red blue green / black green red.
QImage smallGraphic() {
    QImage g(3, 2, QImage::Format_RGB32);
    const Colour colours[2][3] = {{kRed, kBlue, kGreen}, {kBlack, kGreen, kRed}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            g.setPixel(x, y, toPixel(colours[y][x]));
    }
    return g;
}

struct DrawCase {
    QPoint at;
    std::vector<std::string> expected;
};

class DrawGraphic : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawGraphic, CopiesPixelForPixelClipped) {
    Picture p(5, 4);
    p.canvas.Draw(GetParam().at.x(), GetParam().at.y(), smallGraphic());
    EXPECT_EQ(asText(p.image), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DrawGraphic,
    testing::Values(DrawCase{{1, 1}, {".....", ".rbg.", ".#gr.", "....."}},
                    DrawCase{{-1, -1}, {"gr...", ".....", ".....", "....."}},
                    DrawCase{{3, 3}, {".....", ".....", ".....", "...rb"}},
                    DrawCase{{INT_MAX, INT_MIN}, {".....", ".....", ".....", "....."}},
                    DrawCase{{INT_MIN, 2}, {".....", ".....", ".....", "....."}}));

TEST(DrawGraphic, ReportsTheChangedPixelsOnly) {
    Picture p(6, 4);
    p.canvas.Draw(0, 0, smallGraphic());
    EXPECT_EQ(p.changes, std::vector<QRect>{QRect(0, 0, 3, 2)});
    p.canvas.SetPixels(1, 1, kWhite);
    p.changes.clear();
    p.canvas.Draw(0, 0, smallGraphic());
    EXPECT_EQ(p.changes, std::vector<QRect>{QRect(1, 1, 1, 1)});
    p.changes.clear();
    p.canvas.Draw(0, 0, smallGraphic());
    EXPECT_TRUE(p.changes.empty());
}

// A graphic larger than the caches is copied by other stores; at an odd column and clipped,
// the pixels and the reported change are the same.
TEST(DrawGraphic, LargeGraphicIsCopiedWholeAndClipped) {
    Picture p(1600, 1600);
    QImage graphic(1600, 1500, QImage::Format_RGB32);
    fillWithPattern(graphic);
    p.canvas.Draw(3, 1, graphic);
    EXPECT_EQ(p.image.copy(3, 1, 1597, 1500), graphic.copy(0, 0, 1597, 1500));
    EXPECT_EQ(boundingBox(differences(p.image, Picture(1600, 1600).image)),
              QRect(3, 1, 1597, 1500));
    EXPECT_EQ(p.changes, std::vector<QRect>{QRect(3, 1, 1597, 1500)});
}

// A large graphic as wide as the picture is copied in one piece: its rows land where they
// belong, the rows around it stay, and the change covers its whole rows.
TEST(DrawGraphic, LargeGraphicOfThePicturesWidthIsCopiedInOnePiece) {
    Picture p(1600, 1600, kBlue);
    QImage graphic(1600, 1500, QImage::Format_RGB32);
    fillWithPattern(graphic);
    p.canvas.Draw(0, 60, graphic);
    EXPECT_EQ(p.image.copy(0, 60, 1600, 1500), graphic.copy(0, 0, 1600, 1500));
    EXPECT_EQ(boundingBox(differences(p.image, Picture(1600, 1600, kBlue).image)),
              QRect(0, 60, 1600, 1500));
    EXPECT_EQ(p.changes, std::vector<QRect>{QRect(0, 60, 1600, 1500)});
}

TEST(DrawGraphic, WhitenessPaintsTheGraphicsAreaWhite) {
    Picture p(5, 4, kBlue);
    p.canvas.setCopyMode(cmWhiteness);
    p.canvas.Draw(3, 2, smallGraphic());
    EXPECT_EQ(asText(p.image), (std::vector<std::string>{"bbbbb", "bbbbb", "bbb..", "bbb.."}));
}

TEST(DrawGraphic, AcceptsOtherFormatsAndItsOwnPicture) {
    Picture p(5, 4);
    p.canvas.Draw(0, 0, smallGraphic().convertToFormat(QImage::Format_RGB888));
    p.canvas.Draw(2, 2, p.image);
    EXPECT_EQ(asText(p.image), (std::vector<std::string>{"rbg..", "#gr..", "..rbg", "..#gr"}));
}

TEST(CopyRect, SameSizeCopiesBetweenCanvases) {
    Picture source(3, 2), dest(5, 4);
    source.canvas.Draw(0, 0, smallGraphic());
    dest.canvas.CopyRect(QRect(2, 1, 3, 2), source.canvas, QRect(0, 0, 3, 2));
    EXPECT_EQ(asText(dest.image), (std::vector<std::string>{".....", "..rbg", "..#gr", "....."}));
    EXPECT_EQ(dest.changes, std::vector<QRect>{QRect(2, 1, 3, 2)});
}

struct StretchCase {
    QRect dest, source;
    std::vector<std::string> expected;
};

class Stretch : public testing::TestWithParam<StretchCase> {};

TEST_P(Stretch, TakesTheNearestSourcePixel) {
    Picture source(3, 2), dest(7, 5);
    source.canvas.Draw(0, 0, smallGraphic());
    dest.canvas.CopyRect(GetParam().dest, source.canvas, GetParam().source);
    EXPECT_EQ(asText(dest.image), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Stretch,
    testing::Values(StretchCase{QRect(0, 0, 6, 4),
                                QRect(0, 0, 3, 2),
                                {"rrbbgg.", "rrbbgg.", "##ggrr.", "##ggrr.", "......."}},
                    StretchCase{QRect(1, 1, 1, 1),
                                QRect(0, 0, 3, 2),
                                {".......", ".g.....", ".......", ".......", "......."}},
                    // A destination centre on a source pixel boundary takes the pixel after it.
                    StretchCase{QRect(0, 0, 2, 1),
                                QRect(0, 0, 3, 2),
                                {"#r.....", ".......", ".......", ".......", "......."}},
                    // Source pixels outside the source picture leave their destination alone.
                    StretchCase{QRect(0, 0, 4, 3),
                                QRect(-1, 0, 4, 3),
                                {".rbg...", ".#gr...", ".......", ".......", "......."}},
                    StretchCase{QRect(-2, 3, 4, 2),
                                QRect(1, 0, 2, 2),
                                {".......", ".......", ".......", "gg.....", "rr....."}}));

TEST(CopyRect, WithinOneCanvasReadsTheSourceBeforeWriting) {
    Picture p(6, 2);
    p.canvas.Draw(0, 0, smallGraphic());
    p.canvas.CopyRect(QRect(1, 0, 5, 2), p.canvas, QRect(0, 0, 5, 2));
    EXPECT_EQ(asText(p.image), (std::vector<std::string>{"rrbg..", "##gr.."}));
}

TEST(CopyRect, WhitenessPaintsTheDestinationWhite) {
    Picture source(3, 2), dest(5, 4, kGreen);
    dest.canvas.setCopyMode(cmWhiteness);
    dest.canvas.CopyRect(QRect(-1, 1, 3, 9), source.canvas, QRect(0, 0, 3, 2));
    EXPECT_EQ(asText(dest.image), (std::vector<std::string>{"ggggg", "..ggg", "..ggg", "..ggg"}));
    EXPECT_EQ(dest.changes, std::vector<QRect>{QRect(0, 1, 2, 3)});
}

TEST(CopyRect, ExtremeRectanglesAreSafe) {
    Picture p(5, 4);
    p.canvas.CopyRect(QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX)), p.canvas,
                      QRect(QPoint(INT_MIN, 0), QPoint(INT_MAX, 3)));
    p.canvas.CopyRect(QRect(0, 0, 5, 4), p.canvas, QRect(QPoint(INT_MIN, INT_MIN), QSize(1, 1)));
    EXPECT_TRUE(p.changes.empty());
}

}  // namespace
}  // namespace kreslix::test
