#include <gtest/gtest.h>

#include <queue>

#include "canvas_support.h"

namespace kreslix::test {
namespace {

enum class Kind { Line, Rectangle, Ellipse, RoundRect };

void drawFigure(Canvas& c, Kind kind, QPoint a, QPoint b) {
    switch (kind) {
        case Kind::Line:
            c.MoveTo(a.x(), a.y());
            c.LineTo(b.x(), b.y());
            break;
        case Kind::Rectangle:
            c.Rectangle(a.x(), a.y(), b.x(), b.y());
            break;
        case Kind::Ellipse:
            c.Ellipse(a.x(), a.y(), b.x(), b.y());
            break;
        case Kind::RoundRect:
            c.RoundRect(a.x(), a.y(), b.x(), b.y(), 13, -8);
            break;
    }
}

// Boxes inside, across every edge, thin and flat, on a 40 x 30 picture.
const std::vector<std::pair<QPoint, QPoint>> kBoxes = {
    {{5, 4}, {33, 25}},  {{-7, -5}, {20, 12}},   {{25, 20}, {52, 41}}, {{18, 2}, {21, 28}},
    {{3, 14}, {37, 16}}, {{-20, -20}, {60, 50}}, {{10, 10}, {11, 11}}};

// The same box given by each pair of opposite corners.
std::vector<std::pair<QPoint, QPoint>> cornerOrders(QPoint a, QPoint b) {
    return {{a, b}, {b, a}, {{b.x(), a.y()}, {a.x(), b.y()}}, {{a.x(), b.y()}, {b.x(), a.y()}}};
}

using Case = std::tuple<Kind, int>;

class FigureProperty : public testing::TestWithParam<Case> {
protected:
    void setUp(Picture& p, BrushStyle brush, PenMode mode, Colour pen, Colour fill) const {
        p.canvas.pen().setWidth(std::get<1>(GetParam()));
        p.canvas.pen().setMode(mode);
        p.canvas.pen().setColour(pen);
        p.canvas.brush().setColour(fill);
        p.canvas.brush().setStyle(brush);
        p.changes.clear();
    }
    Kind kind() const { return std::get<0>(GetParam()); }
};

// The reported change is exactly the bounding box of the changed pixels.
void expectChangeReported(const Picture& p, const QImage& before) {
    const QRect box = boundingBox(differences(before, p.image));
    if (box.isEmpty()) {
        EXPECT_TRUE(p.changes.empty());
    } else {
        EXPECT_EQ(p.changes, std::vector<QRect>{box});
    }
}

TEST_P(FigureProperty, DrawingTwiceInNotXorRestoresThePicture) {
    int drawn = 0, visible = 0;
    for (const BrushStyle brush : {bsSolid, bsClear}) {
        for (const auto& [a, b] : kBoxes) {
            for (const auto& [from, to] : cornerOrders(a, b)) {
                Picture p(40, 30);
                fillWithPattern(p.image);
                const QImage original = p.image.copy();
                setUp(p, brush, pmNotXor, kRed, kGreen);
                drawFigure(p.canvas, kind(), from, to);
                expectChangeReported(p, original);
                ++drawn;
                visible += p.image != original;
                const QImage once = p.image.copy();
                p.changes.clear();
                drawFigure(p.canvas, kind(), from, to);
                expectChangeReported(p, once);
                ASSERT_EQ(p.image, original) << "brush " << brush << " from " << from.x() << ","
                                             << from.y() << " to " << to.x() << "," << to.y();
            }
        }
    }
    // A few figures miss the picture (a clear box around it, a line past a corner); the rest
    // must show.
    EXPECT_GE(visible, drawn - 12);
}

// Not-xor with black on black turns each covered pixel white, and back to black if it were
// covered twice, so the white pixels must be exactly what the copy-mode figure covers.
TEST_P(FigureProperty, NotXorFigureChangesEachCoveredPixelOnce) {
    for (const BrushStyle brush : {bsSolid, bsClear}) {
        for (const auto& [a, b] : kBoxes) {
            Picture copied(40, 30, kBlack), inverted(40, 30, kBlack);
            const QImage black = copied.image.copy();
            setUp(copied, brush, pmCopy, kRed, kBlue);
            drawFigure(copied.canvas, kind(), a, b);
            expectChangeReported(copied, black);
            setUp(inverted, brush, pmNotXor, kBlack, kBlack);
            drawFigure(inverted.canvas, kind(), a, b);
            expectChangeReported(inverted, black);
            QImage expected = black.copy();
            for (const QPoint& pt : differences(black, copied.image)) {
                expected.setPixel(pt, toPixel(kWhite));
            }
            ASSERT_EQ(inverted.image, expected) << "brush " << brush << " box " << a.x() << ","
                                                << a.y() << " " << b.x() << "," << b.y();
        }
    }
}

class BoxCornerOrder : public FigureProperty {};

TEST_P(BoxCornerOrder, DoesNotMatter) {
    for (const auto& [a, b] : kBoxes) {
        Picture first(40, 30);
        setUp(first, bsSolid, pmCopy, kRed, kBlue);
        drawFigure(first.canvas, kind(), a, b);
        for (const auto& [from, to] : cornerOrders(a, b)) {
            Picture p(40, 30);
            setUp(p, bsSolid, pmCopy, kRed, kBlue);
            drawFigure(p.canvas, kind(), from, to);
            EXPECT_EQ(p.image, first.image);
        }
    }
}

TEST_P(FigureProperty, RedrawingInCopyModeReportsNoChange) {
    Picture p(40, 30);
    setUp(p, bsSolid, pmCopy, kRed, kBlue);
    drawFigure(p.canvas, kind(), {5, 4}, {33, 25});
    EXPECT_EQ(p.changes.size(), 1u);
    p.changes.clear();
    drawFigure(p.canvas, kind(), {5, 4}, {33, 25});
    EXPECT_TRUE(p.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(KindsAndWidths, FigureProperty,
                         testing::Combine(testing::Values(Kind::Line, Kind::Rectangle,
                                                          Kind::Ellipse, Kind::RoundRect),
                                          testing::Values(0, 1, 2, 3, 4, 7, 20, 101)));

INSTANTIATE_TEST_SUITE_P(KindsAndWidths, BoxCornerOrder,
                         testing::Combine(testing::Values(Kind::Rectangle, Kind::Ellipse,
                                                          Kind::RoundRect),
                                          testing::Values(0, 1, 2, 3, 4, 7, 20, 101)));

TEST(FigureChange, WhitePenInNotXorChangesNothing) {
    Picture p(10, 10);
    fillWithPattern(p.image);
    const QImage original = p.image.copy();
    p.canvas.pen().setMode(pmNotXor);
    p.canvas.pen().setColour(kWhite);
    p.canvas.Ellipse(1, 1, 9, 9);
    p.canvas.LineTo(9, 4);
    EXPECT_EQ(p.image, original);
    EXPECT_TRUE(p.changes.empty());
}

// The outline pixels (pen colour) of the picture, and whether they form one 8-connected piece.
bool outlineIsConnected(const QImage& image, QRgb pen) {
    std::vector<QPoint> outline;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == pen)
                outline.emplace_back(x, y);
        }
    }
    if (outline.empty())
        return false;
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    std::queue<QPoint> todo;
    todo.push(outline.front());
    seen.setPixel(outline.front(), 1);
    std::size_t reached = 0;
    for (; !todo.empty(); todo.pop(), ++reached) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint n = todo.front() + QPoint(dx, dy);
                if (!image.rect().contains(n) || seen.pixelIndex(n) || image.pixel(n) != pen) {
                    continue;
                }
                seen.setPixel(n, 1);
                todo.push(n);
            }
        }
    }
    return reached == outline.size();
}

// No fill pixel touches the background: the outline closes the figure.
bool fillIsEnclosed(const QImage& image, QRgb fill, QRgb background) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != fill)
                continue;
            for (const QPoint n :
                 {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                if (image.rect().contains(n) && image.pixel(n) == background)
                    return false;
            }
        }
    }
    return true;
}

TEST(FigureOutline, ThinEccentricEllipsesStayClosedAndConnected) {
    const std::vector<QRect> boxes = {{2, 2, 3, 120},  {2, 2, 4, 150}, {3, 3, 5, 200},
                                      {4, 4, 9, 301},  {2, 2, 120, 3}, {5, 5, 201, 6},
                                      {6, 6, 14, 100}, {3, 3, 7, 64}};
    for (const QRect& box : boxes) {
        for (int width = 0; width <= 9; ++width) {
            Picture p(220, 320);
            p.canvas.pen().setWidth(width);
            p.canvas.brush().setColour(kBlue);
            p.canvas.Ellipse(box.left() + 8, box.top() + 8, box.right() + 9, box.bottom() + 9);
            EXPECT_TRUE(outlineIsConnected(p.image, toPixel(kBlack)))
                << box.width() << "x" << box.height() << " width " << width;
            EXPECT_TRUE(fillIsEnclosed(p.image, toPixel(kBlue), toPixel(kWhite)))
                << box.width() << "x" << box.height() << " width " << width;
        }
    }
}

}  // namespace
}  // namespace kreslix::test
