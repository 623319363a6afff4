#include <gtest/gtest.h>

#include "document/document_state.h"
#include "drawing/tool_state.h"
#include "picture_ops/clear_picture.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::testing {
namespace {

constexpr Colour kRed = 0x000000FF;
constexpr Colour kGreen = 0x0000FF00;

QImage filled(QSize size, Colour colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(toPixel(colour));
    return image;
}

class Clear : public ::testing::Test {
protected:
    void usePicture(QSize size) {
        document.replacePicture({filled(size, kGreen), nullptr});
        document.setModified(false);
        document.setSaveButtonEnabled(false);
    }
    Canvas& canvas() { return document.canvas(); }

    DocumentState document;
    ToolState tools;
    ScriptedPrompts prompts;
};

struct ClearCase {
    QSize size;
    bool withForeground;
    int foregroundPixels;  // inside the white frame, when the box is checked
};

class ClearSizes : public Clear, public ::testing::WithParamInterface<ClearCase> {};

// Checked: the foreground colour inside a white frame one pixel wide; unchecked: all white.
TEST_P(ClearSizes, PaintsWhiteOrForegroundInsideAWhiteFrame) {
    const ClearCase& c = GetParam();
    usePicture(c.size);
    tools.setForeground(kRed);
    prompts.clearAnswers = {{true, c.withForeground}};
    Zmazaobrzok1Click(document, tools, prompts);

    int red = 0;
    for (int y = 0; y < c.size.height(); ++y) {
        for (int x = 0; x < c.size.width(); ++x) {
            const bool frame =
                x == 0 || y == 0 || x == c.size.width() - 1 || y == c.size.height() - 1;
            const Colour expected = frame || !c.withForeground ? kWhite : kRed;
            ASSERT_EQ(fromPixel(document.image().pixel(x, y)), expected) << x << "," << y;
            red += expected == kRed;
        }
    }
    EXPECT_EQ(red, c.foregroundPixels);
    EXPECT_EQ(document.modified(), 1);
    EXPECT_TRUE(document.saveButtonEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearSizes,
                         ::testing::Values(ClearCase{{10, 10}, true, 64},
                                           ClearCase{{10, 10}, false, 0},
                                           ClearCase{{2, 2}, true, 0}, ClearCase{{1, 5}, true, 0},
                                           ClearCase{{7, 3}, true, 5}));

// Pen colour, brush colour and pen width come back; an outline-only brush is filled anyway and
// stays solid afterwards, in the colour it had.
TEST_F(Clear, SetsThePenBackAndLeavesTheBrushSolid) {
    usePicture({6, 4});
    canvas().pen().setColour(0x00123456);
    canvas().pen().setWidth(9);
    canvas().brush().setStyle(bsClear);
    prompts.clearAnswers = {{true, false}};
    Zmazaobrzok1Click(document, tools, prompts);

    EXPECT_EQ(document.image(), filled({6, 4}, kWhite));
    EXPECT_EQ(canvas().pen().colour(), 0x00123456u);
    EXPECT_EQ(canvas().pen().width(), 9);
    EXPECT_EQ(canvas().brush().style(), bsSolid);
    EXPECT_EQ(canvas().brush().colour(), kWhite);
}

TEST_F(Clear, RefusedChangesNothingAndTheNextClearAsksAgain) {
    usePicture({5, 5});
    canvas().pen().setWidth(4);
    prompts.clearAnswers = {{false, true}, {true, false}};
    Zmazaobrzok1Click(document, tools, prompts);
    EXPECT_EQ(document.image(), filled({5, 5}, kGreen));
    EXPECT_EQ(document.modified(), 0);
    EXPECT_FALSE(document.saveButtonEnabled());
    EXPECT_EQ(canvas().pen().width(), 4);

    Zmazaobrzok1Click(document, tools, prompts);
    EXPECT_EQ(document.image(), filled({5, 5}, kWhite));
    EXPECT_EQ(prompts.log, QStringList({"clear picture?", "clear picture?", "busy", "idle"}));
}

}  // namespace
}  // namespace kreslix::testing
