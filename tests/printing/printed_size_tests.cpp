#include <gtest/gtest.h>

#include <climits>

#include "printing/printed_size.h"

namespace kreslix {
namespace {

struct SizeCase {
    int width, height, screenDpi, printerDpiX, printerDpiY;
    std::int64_t printedWidth, printedHeight;
};

class PrintedSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PrintedSizeTest, ScalesByPrinterOverScreenResolution) {
    const SizeCase& c = GetParam();
    const PrintedSize printed =
        printedSize(c.width, c.height, c.screenDpi, c.printerDpiX, c.printerDpiY);
    EXPECT_EQ(printed.width, c.printedWidth);
    EXPECT_EQ(printed.height, c.printedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PrintedSizeTest,
    ::testing::Values(
        // 600 × 400 on a 96 dpi screen: 6.25 × 4.17 inches on every printer.
        SizeCase{600, 400, 96, 600, 600, 3750, 2500}, SizeCase{600, 400, 96, 300, 300, 1875, 1250},
        SizeCase{600, 400, 96, 144, 144, 900, 600},
        // 601 × 1.5 = 901.5 rounds up; 401 × 1.5 = 601.5 too.
        SizeCase{601, 401, 96, 144, 144, 902, 602},
        // Just under a half rounds down, just over rounds up: 1 × 1200 / 96 = 12.5, 5 × 100 / 96
        // = 5.21, 11 × 100 / 96 = 11.46, 13 × 100 / 96 = 13.54.
        SizeCase{1, 5, 96, 1200, 100, 13, 5}, SizeCase{11, 13, 96, 100, 100, 11, 14},
        // Different horizontal and vertical printer resolutions, one screen figure for both.
        SizeCase{600, 400, 96, 600, 300, 3750, 1250},
        SizeCase{628, 428, 120, 1200, 600, 6280, 2140},
        // Products past 32 bits: 3 000 000 × 1200 and 2^31 - 1 squared.
        SizeCase{3000000, 2000000, 96, 1200, 1200, 37500000, 25000000},
        SizeCase{INT_MAX, INT_MAX, 96, INT_MAX, 1, 48038395980546048, 22369621}));

TEST(ScaleRounded, HalvesGoAwayFromZeroOnBothSides) {
    EXPECT_EQ(scaleRounded(INT_MAX, 3, 2), 3221225471);  // 3221225470.5
    EXPECT_EQ(scaleRounded(-601, 144, 96), -902);        // -901.5
    EXPECT_EQ(scaleRounded(-3, 1, 2), -2);
    EXPECT_EQ(scaleRounded(-5, 1, 3), -2);  // -1.67
    EXPECT_EQ(scaleRounded(-4, 1, 3), -1);  // -1.33
    EXPECT_EQ(scaleRounded(0, 1200, 96), 0);
}

}  // namespace
}  // namespace kreslix
