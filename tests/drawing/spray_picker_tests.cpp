#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "tests/drawing/picture_target.h"

namespace kreslix::testing {
namespace {

// The generator's first states after a fresh start: state ← state × 134775813 + 1 from 0.
TEST(SprayGeneratorTest, FirstStatesAndDrawsFromAFreshStart) {
    SprayGenerator generator;
    const std::uint32_t states[] = {0x00000001, 0x08088406, 0xDC6DAC1F, 0x33DC589C,
                                    0x45DE2B0D, 0xABF18B42, 0x5195C04B, 0x296B6D78};
    // Upper 32 bits of state × 20: 0, 0, 17, 4, 5, 13, 6, 3.
    const std::uint32_t draws[] = {0, 0, 17, 4, 5, 13, 6, 3};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(generator.draw(20), draws[i]) << i;
        EXPECT_EQ(generator.state(), states[i]) << i;
    }
    EXPECT_EQ(generator.draw(0), 0u);
}

// The dots of one spray call, from a generator of the test's own, for a width field value.
std::set<std::pair<int, int>> expectedDots(std::uint32_t& state, QPoint end, int hr) {
    std::set<std::pair<int, int>> dots;
    const std::uint32_t range = 2u * static_cast<std::uint32_t>(hr);
    auto draw = [&] {
        state = state * 134775813u + 1u;
        return static_cast<long long>((std::uint64_t{state} * range) >> 32);
    };
    for (int i = 0; i < 40; ++i) {
        const long long dy = draw();
        const long long dx = draw();
        dots.emplace(static_cast<int>(end.x() - dx), static_cast<int>(end.y() - dy));
    }
    return dots;
}

std::set<std::pair<int, int>> blackPixels(const PictureTarget& target) {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < target.image.height(); ++y) {
        for (int x = 0; x < target.image.width(); ++x) {
            if (target.at(x, y) == kBlack)
                found.emplace(x, y);
        }
    }
    return found;
}

TEST(SprayStroke, ClickPutsFortyDotsUpAndLeftOfTheCursorVerticalOffsetFirst) {
    PictureTarget target(40, 40);
    target.tools.CurrentTool = kSpray;
    target.hr = 10;
    target.stroke({30, 30}, {}, {30, 30});
    const std::set<std::pair<int, int>> dots = blackPixels(target);
    // The first four dots, from the draws above: (30−0, 30−0), (30−4, 30−17), (30−13, 30−5),
    // (30−3, 30−6).
    for (std::pair<int, int> dot : {std::pair{30, 30}, {26, 13}, {17, 25}, {27, 24}}) {
        EXPECT_TRUE(dots.count(dot)) << dot.first << "," << dot.second;
    }
    std::uint32_t state = 0;
    EXPECT_EQ(dots, expectedDots(state, {30, 30}, 10));
    for (auto [x, y] : dots) {
        EXPECT_TRUE(x > 30 - 20 && x <= 30 && y > 30 - 20 && y <= 30) << x << "," << y;
    }
    EXPECT_TRUE(target.modified);
}

TEST(SprayStroke, WidthOneDotsFallOnTheFourPixelsEndingAtTheCursor) {
    PictureTarget target(10, 10);
    target.tools.CurrentTool = kSpray;
    target.pictureCanvas.pen().setWidth(7);
    target.stroke({5, 5}, {{6, 6}}, {6, 6});
    const std::set<std::pair<int, int>> dots = blackPixels(target);
    const std::set<std::pair<int, int>> allowed = {{4, 4}, {5, 4}, {4, 5}, {5, 5},
                                                   {5, 5}, {6, 5}, {5, 6}, {6, 6}};
    for (auto dot : dots)
        EXPECT_TRUE(allowed.count(dot)) << dot.first << "," << dot.second;
    // Move: 40 around the press point and 40 around the move; release: 40 more.
    std::uint32_t state = 0;
    std::set<std::pair<int, int>> expected = expectedDots(state, {5, 5}, 1);
    for (QPoint end : {QPoint(6, 6), QPoint(6, 6)}) {
        const auto more = expectedDots(state, end, 1);
        expected.insert(more.begin(), more.end());
    }
    EXPECT_EQ(dots, expected);
    EXPECT_EQ(target.spray.state(), state);
}

TEST(SprayStroke, ZeroWidthFieldPutsEveryDotOnTheCursor) {
    PictureTarget target(10, 10);
    target.tools.CurrentTool = kSpray;
    target.hr = 0;
    target.stroke({3, 4}, {}, {3, 4});
    EXPECT_EQ(blackPixels(target), (std::set<std::pair<int, int>>{{3, 4}}));
}

TEST(SprayStroke, NegativeWidthFieldThrowsTheDotsFarOutsideWhereTheyAreDropped) {
    for (int hr : {-1, -5, INT_MIN + 1}) {
        PictureTarget target(60, 60);
        target.tools.CurrentTool = kSpray;
        target.hr = hr;
        target.stroke({59, 59}, {{59, 59}}, {59, 59});
        std::uint32_t state = 0;
        std::set<std::pair<int, int>> inside;
        for (int call = 0; call < 3; ++call) {
            for (auto [x, y] : expectedDots(state, {59, 59}, hr)) {
                if (x >= 0 && y >= 0 && x < 60 && y < 60)
                    inside.emplace(x, y);
            }
        }
        EXPECT_EQ(blackPixels(target), inside) << hr;
        EXPECT_EQ(target.spray.state(), state);
    }
}

TEST(ColourPickerStroke, TakesTheColourUnderTheReleaseAndEnablesSaveOnly) {
    PictureTarget target(10, 10);
    setPixel(target.image, 2, 2, 0x00112233);
    setPixel(target.image, 7, 7, 0x00445566);
    const QImage before = target.image;
    target.tools.CurrentTool = kColourPicker;
    target.pictureCanvas.brush().setColour(0x00ABCDEF);
    target.tools.setBackground(0x00FEDCBA);

    target.engine.FormMouseDown(2, 2);
    EXPECT_FALSE(target.saveEnabled);
    target.engine.FormMouseMove(7, 7);
    EXPECT_EQ(target.pictureCanvas.pen().colour(), 0x00445566u);
    target.engine.FormMouseUp(2, 2);
    EXPECT_EQ(target.pictureCanvas.pen().colour(), 0x00112233u);
    EXPECT_EQ(target.tools.foreground(), 0x00112233u);
    EXPECT_EQ(target.pictureCanvas.brush().colour(), 0x00ABCDEFu);
    EXPECT_EQ(target.tools.background(), 0x00FEDCBAu);
    EXPECT_EQ(target.image, before);
    EXPECT_TRUE(target.saveEnabled);
    EXPECT_FALSE(target.modified);
    EXPECT_EQ(target.pictureCanvas.pen().mode(), pmCopy);
}

TEST(ColourPickerStroke, ReadingOutsideGivesTheOutsideColourWhichDrawsBlack) {
    PictureTarget target(10, 10);
    target.tools.CurrentTool = kColourPicker;
    target.stroke({5, 5}, {{-3, 4}}, {12, 4});
    EXPECT_EQ(target.pictureCanvas.pen().colour(), kOutsideColour);
    EXPECT_EQ(target.tools.foreground(), kOutsideColour);
    target.tools.CurrentTool = kLine;
    target.stroke({1, 8}, {}, {4, 8});
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(target.at(x, 8), kBlack) << x;
}

}  // namespace
}  // namespace kreslix::testing
