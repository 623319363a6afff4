#include <gtest/gtest.h>

#include <climits>

#include "canvas_support.h"

namespace kreslix::test {
namespace {

constexpr int kExtremes[] = {INT_MIN, INT_MIN + 1, -1000000000, -1,     0,
                             3,       1000000000,  INT_MAX - 1, INT_MAX};

// Every operation with every extreme coordinate and width: the sanitizer build turns any
// overflow or bad access into a failure, and the work stays bounded by the picture.
TEST(ExtremeInput, AnyCoordinatesAndWidthsAreSafe) {
    Picture p(17, 11);
    p.canvas.pen().setMode(pmNotXor);
    for (const int width : {0, 1, 2, 5, 1000000, INT_MAX - 1, INT_MAX}) {
        p.canvas.pen().setWidth(width);
        for (const int a : kExtremes) {
            for (const int b : kExtremes) {
                p.canvas.MoveTo(a, b);
                p.canvas.LineTo(b, a);
                p.canvas.LineTo(a / 2 + b / 2, b);
                p.canvas.Rectangle(a, b, b, a);
                p.canvas.Ellipse(a, 4, b, 9);
                p.canvas.RoundRect(a, b, 8, 5, a, b);
                p.canvas.RoundRect(2, 3, 14, 9, a, b);
            }
        }
    }
    for (const QRect& r : p.changes)
        EXPECT_TRUE(p.image.rect().contains(r));
}

TEST(ExtremeInput, HugeFiguresCoverThePictureAsExpected) {
    Picture p(9, 7);
    p.canvas.brush().setColour(kBlue);
    p.canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (const std::string& row : asText(p.image))
        EXPECT_EQ(row, "bbbbbbbbb");

    // The picture lies deep inside the ellipse, far from its outline.
    p.canvas.brush().setColour(kGreen);
    p.canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (const std::string& row : asText(p.image))
        EXPECT_EQ(row, "ggggggggg");

    // A pen as wide as an int covers everything around its line.
    p.canvas.pen().setWidth(INT_MAX);
    p.canvas.pen().setColour(kRed);
    p.canvas.MoveTo(INT_MIN, 5);
    p.canvas.LineTo(INT_MAX, 7);
    for (const std::string& row : asText(p.image))
        EXPECT_EQ(row, "rrrrrrrrr");
    EXPECT_EQ(p.changes.back(), QRect(0, 0, 9, 7));
}

TEST(ExtremeInput, WidePenAlongAHugeLineCoversABandOfTheRightWidth) {
    Picture p(9, 40);
    p.canvas.pen().setWidth(6);
    p.canvas.MoveTo(INT_MIN, 20);
    p.canvas.LineTo(INT_MAX, 20);
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(p.canvas.Pixels(4, y), y >= 17 && y <= 22 ? kBlack : kWhite) << y;
    }
}

TEST(ExtremeInput, EmptyPicturesAcceptEveryOperation) {
    QImage null;
    QImage empty(0, 0, QImage::Format_RGB32);
    QImage graphic(3, 3, QImage::Format_RGB32);
    graphic.fill(Qt::red);
    for (QImage* image : {&null, &empty, static_cast<QImage*>(nullptr)}) {
        Canvas canvas(image);
        int calls = 0;
        canvas.setChangeListener([&calls](const QRect&) { ++calls; });
        EXPECT_EQ(canvas.Width(), 0);
        EXPECT_EQ(canvas.Height(), 0);
        canvas.pen().setWidth(7);
        canvas.LineTo(100, 100);
        EXPECT_EQ(canvas.penPos(), QPoint(100, 100));
        canvas.Rectangle(-5, -5, 5, 5);
        canvas.Ellipse(-5, -5, 5, 5);
        canvas.RoundRect(-5, -5, 5, 5, 3, 3);
        canvas.SetPixels(0, 0, kRed);
        EXPECT_EQ(canvas.Pixels(0, 0), kOutsideColour);
        canvas.Draw(0, 0, graphic);
        canvas.CopyRect(QRect(0, 0, 3, 3), canvas, QRect(0, 0, 3, 3));
        EXPECT_EQ(calls, 0);
    }
}

TEST(ExtremeInput, OtherPictureFormatsAreConvertedForDrawing) {
    QImage image(4, 3, QImage::Format_RGB888);
    image.fill(Qt::white);
    Canvas canvas(&image);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    canvas.Rectangle(0, 0, 4, 3);
    EXPECT_EQ(canvas.Pixels(0, 0), kBlack);
}

}  // namespace
}  // namespace kreslix::test
