#include <gtest/gtest.h>

#include "tests/drawing/picture_target.h"

namespace kreslix::testing {
namespace {

struct CancelCase {
    quint8 tool;
    BrushStyle brush;
};

class CancelledShape : public ::testing::TestWithParam<CancelCase> {};

// The preview comes off exactly, even when pen and brush changed after it was drawn (the width
// typed in meanwhile), and the stroke is gone: later moves and the release draw nothing, and the
// pen is back in copy mode, so the next freehand stroke draws for good.
TEST_P(CancelledShape, TakesThePreviewOffAndForgetsTheStroke) {
    PictureTarget target(40, 30);
    target.image = stripedPicture(40, 30);
    const QImage original = target.image.copy();
    Canvas& canvas = target.pictureCanvas;
    target.tools.CurrentTool = GetParam().tool;
    canvas.pen().setWidth(3);
    canvas.pen().setColour(0x00336699);
    canvas.brush().setStyle(GetParam().brush);
    target.engine.FormMouseDown(4, 5);
    target.engine.FormMouseMove(20, 12);
    target.engine.FormMouseMove(31, 22);
    ASSERT_FALSE(differences(target.image, original).empty()) << "no preview to take off";
    canvas.pen().setWidth(9);
    canvas.pen().setColour(0x00000000);
    canvas.brush().setColour(0x000000FF);

    target.engine.cancelStroke();
    EXPECT_EQ(differences(target.image, original), std::vector<std::string>{});
    EXPECT_FALSE(target.engine.Pressed);
    EXPECT_EQ(canvas.pen().mode(), pmCopy);
    EXPECT_EQ(canvas.pen().width(), 9) << "the pen as it is now";
    EXPECT_EQ(canvas.pen().colour(), 0x00000000u);
    EXPECT_EQ(canvas.brush().colour(), 0x000000FFu);
    EXPECT_EQ(target.tools.CurrentTool, GetParam().tool);

    target.engine.FormMouseMove(10, 10);
    target.engine.FormMouseUp(10, 10);
    target.engine.cancelStroke();
    EXPECT_EQ(differences(target.image, original), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Shapes, CancelledShape,
                         ::testing::Values(CancelCase{kLine, bsSolid},
                                           CancelCase{kRectangle, bsSolid},
                                           CancelCase{kRectangle, bsClear},
                                           CancelCase{kEllipse, bsSolid},
                                           CancelCase{kRoundRect, bsClear}));

TEST(CancelledStroke, FreehandKeepsWhatItDrewAndDrawsNoMore) {
    PictureTarget target(30, 20);
    target.tools.CurrentTool = kPencil;
    target.engine.FormMouseDown(2, 3);
    target.engine.FormMouseMove(12, 3);
    const QImage drawn = target.image.copy();
    target.engine.cancelStroke();
    EXPECT_EQ(differences(target.image, drawn), std::vector<std::string>{});
    target.engine.FormMouseMove(12, 15);
    target.engine.FormMouseUp(20, 15);
    EXPECT_EQ(differences(target.image, drawn), std::vector<std::string>{});
    EXPECT_EQ(target.at(2, 3), kBlack);
}

// A new press takes over an open stroke and leaves its preview on the picture; cancelling the
// new stroke before it moved must not draw the old preview a second time.
TEST(CancelledStroke, AnOlderStrokesPreviewStays) {
    PictureTarget target(30, 20);
    target.engine.FormMouseDown(2, 3);
    target.engine.FormMouseMove(20, 3);
    const QImage previewed = target.image.copy();
    target.engine.FormMouseDown(5, 10);
    target.engine.cancelStroke();
    EXPECT_EQ(differences(target.image, previewed), std::vector<std::string>{});
    EXPECT_EQ(target.at(10, 3), kBlack);
}

}  // namespace
}  // namespace kreslix::testing
