#include <gtest/gtest.h>

#include "tests/drawing/picture_target.h"

namespace kreslix::testing {
namespace {

constexpr Colour kRed = 0x000000FF;

// The expected picture: `base` with the given pixels (x, y) set to `c`.
QImage withPixels(QImage base, const std::vector<QPoint>& points, Colour c) {
    for (QPoint p : points)
        setPixel(base, p.x(), p.y(), c);
    return base;
}

std::vector<QPoint> row(int y, int fromX, int toX) {
    std::vector<QPoint> points;
    for (int x = fromX; x <= toX; ++x)
        points.emplace_back(x, y);
    return points;
}

std::vector<QPoint> column(int x, int fromY, int toY) {
    std::vector<QPoint> points;
    for (int y = fromY; y <= toY; ++y)
        points.emplace_back(x, y);
    return points;
}

std::vector<QPoint> boxOutline(int left, int top, int right, int bottom) {
    std::vector<QPoint> points = row(top, left, right);
    for (auto part :
         {row(bottom, left, right), column(left, top, bottom), column(right, top, bottom)}) {
        points.insert(points.end(), part.begin(), part.end());
    }
    return points;
}

std::vector<QPoint> boxInside(int left, int top, int right, int bottom) {
    std::vector<QPoint> points;
    for (int y = top + 1; y < bottom; ++y) {
        auto part = row(y, left + 1, right - 1);
        points.insert(points.end(), part.begin(), part.end());
    }
    return points;
}

TEST(LineStroke, FinalLineRunsFromThePressToTheReleaseWithoutTheEndPixel) {
    PictureTarget target(12, 8);
    target.stroke({1, 2}, {{5, 5}, {9, 2}}, {9, 2});
    EXPECT_EQ(
        differences(target.image, withPixels(filledPicture(12, 8, kWhite), row(2, 1, 8), kBlack)),
        std::vector<std::string>{});
    EXPECT_EQ(target.pictureCanvas.pen().mode(), pmCopy);
}

TEST(LineStroke, DiagonalLineCoversOnePixelPerStep) {
    PictureTarget target(10, 10);
    target.stroke({7, 1}, {{3, 3}, {2, 6}}, {2, 6});
    EXPECT_EQ(
        differences(target.image, withPixels(filledPicture(10, 10, kWhite),
                                             {{7, 1}, {6, 2}, {5, 3}, {4, 4}, {3, 5}}, kBlack)),
        std::vector<std::string>{});
}

struct BoxCase {
    QPoint from, to;
    BrushStyle style;
};

class RectangleStroke : public ::testing::TestWithParam<BoxCase> {};

TEST_P(RectangleStroke, OutlineOnTheInclusiveEdgesAndFillOnlyWithASolidBrush) {
    PictureTarget target(12, 10);
    target.tools.CurrentTool = kRectangle;
    target.pictureCanvas.brush().setColour(kRed);
    target.pictureCanvas.brush().setStyle(GetParam().style);
    target.stroke(GetParam().from, {{4, 4}, {10, 9}, GetParam().to}, GetParam().to);
    QImage expected = withPixels(filledPicture(12, 10, kWhite), boxOutline(2, 1, 7, 5), kBlack);
    if (GetParam().style == bsSolid)
        expected = withPixels(expected, boxInside(2, 1, 7, 5), kRed);
    EXPECT_EQ(differences(target.image, expected), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Corners, RectangleStroke,
                         ::testing::Values(BoxCase{{2, 1}, {8, 6}, bsSolid},
                                           BoxCase{{8, 6}, {2, 1}, bsSolid},
                                           BoxCase{{2, 6}, {8, 1}, bsClear},
                                           BoxCase{{8, 1}, {2, 6}, bsClear}));

TEST(RoundRectStroke, DragNarrowerThanTwoPixelsHasSquareCorners) {
    for (QPoint end : {QPoint(12, 3), QPoint(3, 12), QPoint(13, 12)}) {
        PictureTarget rounded(16, 16), square(16, 16);
        rounded.tools.CurrentTool = kRoundRect;
        square.tools.CurrentTool = kRectangle;
        const QPoint start = end == QPoint(13, 12) ? QPoint(12, 2) : QPoint(2, 2);
        rounded.stroke(start, {end}, end);
        square.stroke(start, {end}, end);
        const bool narrow = std::abs(end.x() - start.x()) < 2 || std::abs(end.y() - start.y()) < 2;
        EXPECT_EQ(differences(rounded.image, square.image).empty(), narrow)
            << end.x() << "," << end.y();
    }
}

struct PreviewCase {
    quint8 tool;
    BrushStyle style;
    int width;
};

// The picture after a whole stroke: the base with one copy-mode figure, drawn on a fresh canvas.
QImage oneFigure(const QImage& base, const PreviewCase& c, QPoint from, QPoint to) {
    QImage expected = base;
    Canvas canvas(&expected);
    canvas.pen().setWidth(c.width);
    canvas.brush().setColour(kRed);
    canvas.brush().setStyle(c.style);
    switch (c.tool) {
        case kLine:
            canvas.MoveTo(from.x(), from.y());
            canvas.LineTo(to.x(), to.y());
            break;
        case kRectangle:
            canvas.Rectangle(from.x(), from.y(), to.x(), to.y());
            break;
        case kEllipse:
            canvas.Ellipse(from.x(), from.y(), to.x(), to.y());
            break;
        default:
            canvas.RoundRect(from.x(), from.y(), to.x(), to.y(), (from.x() - to.x()) / 2,
                             (from.y() - to.y()) / 2);
    }
    return expected;
}

class ShapePreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(ShapePreview, PreviewsRestoreEveryPixelAndLeaveOneCopyModeFigure) {
    const QImage base = stripedPicture(40, 30);
    PictureTarget target(40, 30);
    target.image = base;
    target.tools.CurrentTool = GetParam().tool;
    target.pictureCanvas.pen().setWidth(GetParam().width);
    target.pictureCanvas.brush().setColour(kRed);
    target.pictureCanvas.brush().setStyle(GetParam().style);
    const QPoint start(5, 4);
    target.engine.FormMouseDown(start.x(), start.y());
    EXPECT_EQ(target.image, base) << "the press draws nothing";
    const std::vector<QPoint> moves = {{20, 15}, {35, 6}, {-6, 40}, {12, 25}, {30, 22}};
    for (QPoint p : moves) {
        target.engine.FormMouseMove(p.x(), p.y());
        EXPECT_NE(target.image, base) << "preview to " << p.x() << "," << p.y();
        EXPECT_EQ(target.pictureCanvas.pen().mode(), pmNotXor);
    }
    target.engine.FormMouseUp(30, 22);
    EXPECT_EQ(differences(target.image, oneFigure(base, GetParam(), start, {30, 22})),
              std::vector<std::string>{});
    EXPECT_EQ(target.pictureCanvas.pen().mode(), pmCopy);
    EXPECT_FALSE(target.engine.Pressed);
}

// Ending the stroke early takes the preview off with the pen and brush it was drawn with, even
// after the width field changed meanwhile, and leaves the stroke over and the pen in copy mode.
TEST_P(ShapePreview, CancelTakesThePreviewOffAndEndsTheStroke) {
    const QImage base = stripedPicture(40, 30);
    PictureTarget target(40, 30);
    target.image = base;
    target.tools.CurrentTool = GetParam().tool;
    Canvas& canvas = target.pictureCanvas;
    canvas.pen().setWidth(GetParam().width);
    canvas.brush().setStyle(GetParam().style);
    target.engine.FormMouseDown(5, 4);
    target.engine.FormMouseMove(30, 22);
    canvas.pen().setWidth(9);
    canvas.brush().setColour(kRed);
    target.engine.cancelStroke();
    EXPECT_EQ(differences(target.image, base), std::vector<std::string>{});
    EXPECT_EQ(canvas.pen().width(), 9);
    EXPECT_EQ(canvas.pen().mode(), pmCopy);
    target.engine.FormMouseMove(12, 25);
    target.engine.FormMouseUp(12, 25);
    EXPECT_EQ(target.image, base) << "the stroke went on";
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapePreview,
    ::testing::Values(PreviewCase{kLine, bsSolid, 1}, PreviewCase{kLine, bsSolid, 4},
                      PreviewCase{kRectangle, bsSolid, 1}, PreviewCase{kRectangle, bsClear, 3},
                      PreviewCase{kEllipse, bsSolid, 2}, PreviewCase{kEllipse, bsClear, 1},
                      PreviewCase{kRoundRect, bsSolid, 1}, PreviewCase{kRoundRect, bsClear, 5}));

TEST(LinePreview, BlackPreviewInvertsAndWhitePenShowsNoPreview) {
    PictureTarget target(10, 4);
    for (int x = 5; x < 10; ++x)
        setPixel(target.image, x, 1, kBlack);
    const QImage base = target.image;
    target.engine.FormMouseDown(1, 1);
    target.engine.FormMouseMove(9, 1);
    for (int x = 1; x < 9; ++x) {
        EXPECT_EQ(target.at(x, 1), x < 5 ? kBlack : kWhite) << x;
    }
    target.engine.FormMouseMove(1, 1);
    EXPECT_EQ(target.image, base);
    target.engine.FormMouseUp(1, 1);

    target.pictureCanvas.pen().setColour(kWhite);
    target.engine.FormMouseDown(1, 1);
    target.engine.FormMouseMove(9, 1);
    EXPECT_EQ(target.image, base);
    target.engine.FormMouseUp(9, 1);
    EXPECT_EQ(differences(target.image, filledPicture(10, 4, kWhite)),
              std::vector<std::string>{"9,1"});
}

TEST(ShapeStroke, ReleaseAwayFromTheLastMoveLeavesThePreviewBeside) {
    PictureTarget target(12, 12);
    target.tools.CurrentTool = kRectangle;
    target.pictureCanvas.brush().setStyle(bsClear);
    target.stroke({1, 1}, {{5, 5}}, {9, 9});
    // The preview (1,1)-(5,5) stays black where the final box does not cover it.
    EXPECT_EQ(target.at(4, 4), kBlack);
    EXPECT_EQ(target.at(8, 8), kBlack);
    EXPECT_EQ(target.at(4, 1), kBlack);
    EXPECT_EQ(target.at(6, 6), kWhite);
}

}  // namespace
}  // namespace kreslix::testing
