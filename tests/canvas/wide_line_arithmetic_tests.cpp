#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "canvas/wide_line.h"
#include "canvas/wide_line_exact.h"
#include "canvas_support.h"

namespace kreslix::test {
namespace {

struct Stroke {
    int x0, y0, x1, y1, width;
};

std::ostream& operator<<(std::ostream& out, const Stroke& s) {
    return out << "(" << s.x0 << ", " << s.y0 << ") - (" << s.x1 << ", " << s.y1 << ") width "
               << s.width;
}

struct Drawn {
    QImage image;
    QRect changed;
};

Drawn draw(const Stroke& s, int width, int height, WideLineArithmetic arithmetic) {
    Drawn d{QImage(width, height, QImage::Format_RGB32), {}};
    d.image.fill(Qt::white);
    SpanPainter painter(&d.image);
    painter.setColour(kBlack, pmCopy);
    drawWideLine(painter, s.x0, s.y0, s.x1, s.y1, s.width, arithmetic);
    d.changed = painter.changedRect();
    return d;
}

// Whether the centre of pixel (x, y) lies closer than width / 2 to the stroke's segment, worked
// out pixel by pixel in doubled coordinates with 128-bit products.
bool isCovered(const Stroke& s, int x, int y) {
    using Wide = __int128;
    const Wide shift = s.width % 2, r = s.width;
    const Wide ax = 2 * Wide(s.x0) + shift, ay = 2 * Wide(s.y0) + shift;
    const Wide dx = 2 * Wide(s.x1) - 2 * Wide(s.x0), dy = 2 * Wide(s.y1) - 2 * Wide(s.y0);
    const Wide px = 2 * Wide(x) + 1 - ax, py = 2 * Wide(y) + 1 - ay;
    const Wide along = px * dx + py * dy, lengthSquared = dx * dx + dy * dy;
    if (along <= 0)
        return px * px + py * py < r * r;
    if (along >= lengthSquared)
        return (px - dx) * (px - dx) + (py - dy) * (py - dy) < r * r;
    const Wide cross = px * dy - py * dx;
    return cross * cross < r * r * lengthSquared;
}

Stroke randomStroke(std::mt19937& random, int reach, int maxWidth) {
    std::uniform_int_distribution<int> coordinate(-reach, reach);
    std::uniform_int_distribution<int> width(2, maxWidth);
    return {coordinate(random), coordinate(random), coordinate(random), coordinate(random),
            width(random)};
}

// Level, upright, diagonal and 3-4-5 directions put band edges exactly on pixel centres.
std::vector<Stroke> edgeStrokes() {
    std::vector<Stroke> strokes;
    const QPoint directions[] = {{1, 0}, {0, 1},  {1, 1},  {1, -1}, {3, 4},
                                 {4, 3}, {-3, 4}, {4, -3}, {5, 12}, {1, 2}};
    for (const QPoint d : directions) {
        for (const int width : {2, 3, 4, 5, 10, 11, 20, 25}) {
            for (const int length : {1, 2, 3, 7}) {
                strokes.push_back({13, 9, 13 + d.x() * length, 9 + d.y() * length, width});
                strokes.push_back({13 + d.x() * length, 9 + d.y() * length, 13, 9, width});
            }
        }
    }
    return strokes;
}

TEST(WideLineArithmetic, ExactRowsCoverJustThePixelsCloserThanHalfThePen) {
    std::mt19937 random(7);
    std::vector<Stroke> strokes = edgeStrokes();
    for (int i = 0; i < 400; ++i)
        strokes.push_back(randomStroke(random, 40, 30));
    for (const Stroke& s : strokes) {
        const Drawn d = draw(s, 27, 19, WideLineArithmetic::Automatic);
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 27; ++x) {
                ASSERT_EQ(d.image.pixel(x, y) == qRgb(0, 0, 0), isCovered(s, x, y))
                    << s << " at " << x << ", " << y;
            }
        }
    }
}

// Long strokes, whose middle rows lie between the ends' discs and take their own loop, against
// the same pixel-by-pixel rule, on a picture the strokes cross at every slope.
TEST(WideLineArithmetic, LongStrokesCoverJustThePixelsCloserThanHalfThePen) {
    std::mt19937 random(13);
    for (int i = 0; i < 300; ++i) {
        const Stroke s = randomStroke(random, 400, 40);
        const Drawn d = draw(s, 96, 72, WideLineArithmetic::Automatic);
        for (int y = 0; y < 72; ++y) {
            for (int x = 0; x < 96; ++x) {
                ASSERT_EQ(d.image.pixel(x, y) == qRgb(0, 0, 0), isCovered(s, x, y))
                    << s << " at " << x << ", " << y;
            }
        }
    }
}

// Where both kinds of arithmetic apply they give the same pixels and the same change box.
TEST(WideLineArithmetic, ExactAndLongDoubleRowsAgree) {
    std::mt19937 random(11);
    std::vector<Stroke> strokes = edgeStrokes();
    for (const auto& [reach, maxWidth] : {std::pair{60, 40}, {3000, 200}, {100000000, 100000}}) {
        for (int i = 0; i < 3000; ++i) {
            // Every other stroke starts near the picture, so long ones cross it too.
            Stroke s = randomStroke(random, reach, maxWidth);
            if (i % 2 == 0) {
                s.x0 = s.x0 % 50;
                s.y0 = s.y0 % 40;
            }
            strokes.push_back(s);
        }
    }
    for (const Stroke& s : strokes) {
        const Drawn exact = draw(s, 41, 33, WideLineArithmetic::Automatic);
        const Drawn real = draw(s, 41, 33, WideLineArithmetic::LongDouble);
        ASSERT_EQ(differences(exact.image, real.image), std::vector<QPoint>{}) << s;
        ASSERT_EQ(exact.changed, real.changed) << s;
    }
}

// The rows of a part start from one division and then step; any cut gives the whole stroke.
TEST(WideLineArithmetic, ExactRowsPaintedInPiecesMatchOnePass) {
    std::mt19937 random(5);
    for (int i = 0; i < 200; ++i) {
        const Stroke s = randomStroke(random, 50, 25);
        const Int64 shift = s.width % 2;
        const StrokeEnds ends{2 * s.x0 + shift, 2 * s.y0 + shift, 2 * s.x1 + shift,
                              2 * s.y1 + shift, s.width};
        ASSERT_TRUE(fitsExactRows(ends, 30));
        const QImage whole = draw(s, 30, 30, WideLineArithmetic::Automatic).image;
        const int cut = std::uniform_int_distribution<int>(1, 29)(random);
        QImage pieces(30, 30, QImage::Format_RGB32);
        pieces.fill(Qt::white);
        SpanPainter painter(&pieces);
        painter.setColour(kBlack, pmCopy);
        paintRowsExact(painter, ends, cut, 29);
        paintRowsExact(painter, ends, 0, cut - 1);
        painter.flush();
        ASSERT_EQ(differences(whole, pieces), std::vector<QPoint>{}) << s << " cut at " << cut;
    }
}

TEST(WideLineArithmetic, ExactRowsTakeOnlyCoordinatesWhoseProductsFit) {
    const Int64 limit = Int64(1) << 28;
    EXPECT_TRUE(fitsExactRows({-limit, limit, limit, -limit, limit}, 1000));
    EXPECT_FALSE(fitsExactRows({-limit - 1, 0, 0, 0, 2}, 1000));
    EXPECT_FALSE(fitsExactRows({0, 0, 0, limit + 1, 2}, 1000));
    EXPECT_FALSE(fitsExactRows({0, 0, 4, 4, limit + 1}, 1000));
    EXPECT_FALSE(fitsExactRows({0, 0, 4, 4, 2}, limit));
}

}  // namespace
}  // namespace kreslix::test
