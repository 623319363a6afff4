// The real program on a screen scaled by QT_SCALE_FACTOR. The picture's pixel colours name their
// own coordinates, so a screenshot tells which picture pixel each screen pixel shows; lines
// dragged with the real mouse, read back over the clipboard, tell which pixels were reached.
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <map>
#include <set>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"

namespace kreslix::e2e {
namespace {

constexpr int kWidth = 250, kHeight = 200;
using Pixel = std::pair<int, int>;

// Red and green are the coordinates, blue a check sum that the program's other colours fail.
QRgb code(int x, int y) {
    return qRgb(x, y, (x + 7 * y + 0x33) & 0xFF);
}

class HighDpi : public ProgramTest, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                picture.setPixel(x, y, code(x, y));
        }
        ASSERT_TRUE(picture.save(folder.filePath("coded.bmp"), "BMP"));
        start({"coded.bmp"}, folder.path(), {"QT_SCALE_FACTOR=" + QString::number(GetParam())});
        if (IsSkipped())
            return;
        main = findWindow(QStringLiteral("Kreslix (32bit) - coded.bmp"), 15000);
        ASSERT_TRUE(main.ok);
        // The pointer away from the window, so that no tooltip covers the picture.
        runTool({"motion", QString::number(main.geometry.right() + 40),
                 QString::number(main.geometry.bottom() + 40)});
    }

    // Which picture pixel each screen pixel of the picture shows, once the whole picture is
    // shown.
    void mapScreen() {
        const QDeadlineTimer deadline(15000);
        while (shown.size() < size_t(kWidth * kHeight) && !deadline.hasExpired()) {
            QThread::msleep(100);
            shown.clear();
            corner = QPoint();
            const QImage screen = screenshot();
            std::map<Pixel, Pixel> found;
            for (int y = main.geometry.top(); y <= main.geometry.bottom(); ++y) {
                for (int x = main.geometry.left(); x <= main.geometry.right(); ++x) {
                    const QRgb c = screen.pixel(x, y);
                    if (qRed(c) < kWidth && qGreen(c) < kHeight && c == code(qRed(c), qGreen(c)))
                        found[{x, y}] = {qRed(c), qGreen(c)};
                }
            }
            // Only what lies on the picture: from its top-left pixel, at the scaled size.
            for (const auto& [at, p] : found) {
                if (p == Pixel(0, 0) && corner.isNull())
                    corner = QPoint(at.first, at.second);
            }
            const QRect area(corner, QSize(int(std::ceil(kWidth * GetParam())),
                                           int(std::ceil(kHeight * GetParam()))));
            for (const auto& [at, p] : found) {
                if (!corner.isNull() && area.contains(at.first, at.second))
                    shown[at] = p;
            }
        }
    }
    Pixel under(QPoint screen) const {
        const auto found = shown.find({screen.x(), screen.y()});
        EXPECT_NE(found, shown.end()) << screen.x() << "," << screen.y();
        return found == shown.end() ? Pixel(-1000, -1000) : found->second;
    }

    QTemporaryDir folder;
    Xclip xclip;
    QImage picture{kWidth, kHeight, QImage::Format_RGB32};
    std::map<Pixel, Pixel> shown;
    QPoint corner;
};

TEST_P(HighDpi, TheMouseReachesThePixelShownUnderIt) {
    mapScreen();
    // Shown crisp: every picture pixel, unblended, as a block of the scale's size rounded down
    // or up.
    std::map<Pixel, int> blockSizes;
    for (const auto& [at, p] : shown)
        ++blockSizes[p];
    ASSERT_EQ(int(blockSizes.size()), kWidth * kHeight);
    const int smallest = int(std::floor(GetParam())), largest = int(std::ceil(GetParam()));
    for (const auto& [p, size] : blockSizes)
        ASSERT_TRUE(size >= smallest * smallest && size <= largest * largest) << size;

    // Presses and releases at every phase of the screen pixels within a picture pixel; each line
    // runs from the pixel shown under the press to the one under the release, that one left
    // out. A release just left of the picture reaches pixel -1: the line covers column 0.
    std::set<Pixel> expected;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QPoint from =
                corner + QPoint(15 + 70 * column + (row + column) % 3, 15 + 45 * row + row % 3);
            const QPoint to = from + QPoint(20 + (2 * column + row) % 3, 0);
            runTool(QStringList{"drag"} << QString::number(from.x()) << QString::number(from.y())
                                        << QString::number(to.x()) << QString::number(to.y()));
            for (int x = under(from).first; x < under(to).first; ++x)
                expected.insert({x, under(from).second});
        }
    }
    const QPoint nearEdge = corner + QPoint(7, int(GetParam() * kHeight) - 9);
    runTool({"drag", QString::number(nearEdge.x()), QString::number(nearEdge.y()),
             QString::number(corner.x() - 1), QString::number(nearEdge.y())});
    for (int x = 0; x <= under(nearEdge).first; ++x)
        expected.insert({x, under(nearEdge).second});

    const QImage copied = copyPicture(xclip);
    ASSERT_EQ(copied.size(), picture.size());
    std::set<Pixel> black, changed;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (copied.pixel(x, y) != picture.pixel(x, y))
                changed.insert({x, y});
            if (copied.pixel(x, y) == qRgb(0, 0, 0))
                black.insert({x, y});
        }
    }
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(black, expected);

    // The screen shows the drawn picture through the same blocks.
    const QImage screen = screenshot();
    int stale = 0;
    for (const auto& [at, p] : shown)
        stale += screen.pixel(at.first, at.second) != copied.pixel(p.first, p.second);
    EXPECT_EQ(stale, 0);
    closeWithoutSaving(main);
}

INSTANTIATE_TEST_SUITE_P(Scales, HighDpi, ::testing::Values(2.0, 1.5),
                         [](const auto& info) { return info.param == 2.0 ? "x2" : "x1_5"; });

}  // namespace
}  // namespace kreslix::e2e
