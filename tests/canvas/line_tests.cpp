#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>

#include "canvas_support.h"

namespace kreslix::test {
namespace {

using PointSet = std::set<std::pair<int, int>>;

PointSet blackPixels(const Canvas& canvas) {
    PointSet points;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixels(x, y) == kBlack)
                points.insert({x, y});
        }
    }
    return points;
}

struct ShortLine {
    QPoint to;
    PointSet expected;
};

class OnePixelLine : public testing::TestWithParam<ShortLine> {};

// From (5, 5): the start pixel drawn, the end pixel not, the minor coordinate rounded half
// away from the start.
TEST_P(OnePixelLine, CoversTheExpectedPixels) {
    for (const int width : {0, 1}) {
        Picture p(11, 11);
        p.canvas.pen().setWidth(width);
        p.canvas.MoveTo(5, 5);
        p.canvas.LineTo(GetParam().to.x(), GetParam().to.y());
        EXPECT_EQ(blackPixels(p.canvas), GetParam().expected) << "width " << width;
        EXPECT_EQ(p.canvas.penPos(), GetParam().to);
    }
}

INSTANTIATE_TEST_SUITE_P(AllOctants, OnePixelLine,
                         testing::Values(ShortLine{{9, 7}, {{5, 5}, {6, 6}, {7, 6}, {8, 7}}},
                                         ShortLine{{7, 9}, {{5, 5}, {6, 6}, {6, 7}, {7, 8}}},
                                         ShortLine{{3, 9}, {{5, 5}, {4, 6}, {4, 7}, {3, 8}}},
                                         ShortLine{{1, 7}, {{5, 5}, {4, 6}, {3, 6}, {2, 7}}},
                                         ShortLine{{1, 3}, {{5, 5}, {4, 4}, {3, 4}, {2, 3}}},
                                         ShortLine{{3, 1}, {{5, 5}, {4, 4}, {4, 3}, {3, 2}}},
                                         ShortLine{{7, 1}, {{5, 5}, {6, 4}, {6, 3}, {7, 2}}},
                                         ShortLine{{9, 3}, {{5, 5}, {6, 4}, {7, 4}, {8, 3}}},
                                         ShortLine{{8, 6}, {{5, 5}, {6, 5}, {7, 6}}},
                                         ShortLine{{8, 8}, {{5, 5}, {6, 6}, {7, 7}}},
                                         ShortLine{{2, 8}, {{5, 5}, {4, 6}, {3, 7}}},
                                         ShortLine{{5, 9}, {{5, 5}, {5, 6}, {5, 7}, {5, 8}}},
                                         ShortLine{{0, 5},
                                                   {{5, 5}, {4, 5}, {3, 5}, {2, 5}, {1, 5}}},
                                         ShortLine{{6, 5}, {{5, 5}}}, ShortLine{{5, 5}, {}}));

// The pixels of the one-pixel line from a to b in a w x h picture, decided pixel by pixel from
// the line's definition.
PointSet referenceLine(QPoint a, QPoint b, int w, int h) {
    using Int128 = __int128;
    const long long dx = (long long)b.x() - a.x(), dy = (long long)b.y() - a.y();
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = std::llabs(xMajor ? dx : dy), rise = std::llabs(xMajor ? dy : dx);
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    PointSet points;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const long long step =
                ((xMajor ? x - (long long)a.x() : y - (long long)a.y())) * majorSign;
            if (step < 0 || step >= n)
                continue;
            const long long offset = (long long)((Int128(2) * step * rise + n) / (Int128(2) * n));
            const long long minor = (xMajor ? a.y() : a.x()) + minorSign * offset;
            if (minor == (xMajor ? y : x))
                points.insert({x, y});
        }
    }
    return points;
}

// Lines that start or end far outside a small picture must give exactly the pixels of the same
// line drawn whole on a picture large enough to hold it.
TEST(LineClipping, MatchesTheSameLineDrawnUnclipped) {
    const int margin = 60, w = 13, h = 9;
    const std::vector<QPoint> ends = {{-50, -40}, {-37, 4},  {-3, 55}, {6, -58}, {70, 3},
                                      {58, 47},   {12, -1},  {0, 8},   {-1, 2},  {13, 9},
                                      {-55, 45},  {40, -33}, {5, 4},   {61, -60}};
    for (const QPoint& a : ends) {
        for (const QPoint& b : ends) {
            Picture small(w, h), big(w + 2 * margin, h + 2 * margin);
            small.canvas.MoveTo(a.x(), a.y());
            small.canvas.LineTo(b.x(), b.y());
            big.canvas.MoveTo(a.x() + margin, a.y() + margin);
            big.canvas.LineTo(b.x() + margin, b.y() + margin);
            const QImage window = big.image.copy(margin, margin, w, h);
            ASSERT_EQ(asText(small.image), asText(window))
                << "from " << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
        }
    }
}

TEST(LineClipping, HugeCoordinatesGiveTheExactPixels) {
    const std::vector<std::pair<QPoint, QPoint>> lines = {
        {{INT_MIN, 5}, {INT_MAX, 7}},
        {{INT_MAX, 7}, {INT_MIN, 5}},
        {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
        {{-1000000007, 3}, {1000000009, 17}},
        {{7, INT_MIN}, {11, INT_MAX}},
        {{INT_MAX, INT_MIN}, {INT_MIN + 1, INT_MAX}},
        {{-2147483000, -2147483000}, {2147483000, 2147483000}},
        {{INT_MIN, 0}, {INT_MIN, 0}}};
    for (const auto& [a, b] : lines) {
        Picture p(31, 23);
        p.canvas.MoveTo(a.x(), a.y());
        p.canvas.LineTo(b.x(), b.y());
        EXPECT_EQ(blackPixels(p.canvas), referenceLine(a, b, 31, 23))
            << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
    }
}

TEST(WideLine, HasRoundEndsCentredOnThePath) {
    Picture p(14, 7);
    p.canvas.pen().setWidth(3);
    p.canvas.MoveTo(2, 3);
    p.canvas.LineTo(10, 3);
    EXPECT_EQ(asText(p.image),
              (std::vector<std::string>{"..............", "..............", ".###########..",
                                        ".###########..", ".###########..", "..............",
                                        ".............."}));
    Picture even(14, 7);
    even.canvas.pen().setWidth(4);
    even.canvas.MoveTo(3, 3);
    even.canvas.LineTo(3, 3);
    EXPECT_TRUE(even.changes.empty());
    even.canvas.LineTo(9, 3);
    EXPECT_EQ(asText(even.image),
              (std::vector<std::string>{"..............", "..########....", ".##########...",
                                        ".##########...", "..########....", "..............",
                                        ".............."}));
}

TEST(WideLine, JoinedSegmentsLeaveNoGapAtTheJoin) {
    Picture p(20, 20);
    p.canvas.pen().setWidth(6);
    p.canvas.MoveTo(3, 3);
    p.canvas.LineTo(15, 4);
    p.canvas.LineTo(5, 16);
    // Every pixel within two pixels of the corner point is covered by the round ends.
    for (int y = 2; y <= 6; ++y) {
        for (int x = 13; x <= 17; ++x) {
            if ((x - 15) * (x - 15) + (y - 4) * (y - 4) <= 4) {
                EXPECT_EQ(p.canvas.Pixels(x, y), kBlack) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace kreslix::test
