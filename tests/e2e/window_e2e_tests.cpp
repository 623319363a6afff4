#include "tests/e2e/e2e_support.h"

namespace kreslix::e2e {
namespace {

TEST_F(ProgramWindow, OpensWithTheWhitePictureAndClosesThroughTheWindowManagerProtocol) {
    startProgram();
    const Found main = waitForStartPicture();
    ASSERT_TRUE(main.ok);
    EXPECT_GE(main.geometry.width(), 628);
    EXPECT_GE(main.geometry.height(), 456);
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
