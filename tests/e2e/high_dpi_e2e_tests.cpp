// The real program on a screen scaled by QT_SCALE_FACTOR and zoomed with its keys and the wheel.
// The picture's pixel colours name their own coordinates, so a screenshot tells which picture
// pixel each screen pixel shows; lines dragged with the real mouse, read back over the
// clipboard, tell which pixels were reached.
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
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

// How the picture is shown: the screen's scale, the zoom keys pressed from 100 % (negative:
// zoom out), and how many screen pixels make one turn of the pattern of picture pixel edges.
struct Showing {
    double scale;
    int zoomKeys;
    double zoom;
    int period;
    const char* name;
};

const Showing kShowings[] = {
    {1.25, 0, 1, 5, "x1_25"},    {1.5, 0, 1, 3, "x1_5"},         {1.75, 0, 1, 7, "x1_75"},
    {2.0, 0, 1, 2, "x2"},        {1.0, 3, 4, 4, "zoom400"},      {1.0, 6, 12, 12, "zoom1200"},
    {1.0, -1, 0.5, 2, "zoom50"}, {1.5, 3, 4, 6, "zoom400_x1_5"},
};

class CodedPicture : public ProgramTest {
protected:
    void startShowing(double scale) {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                picture.setPixel(x, y, code(x, y));
        }
        ASSERT_TRUE(picture.save(folder.filePath("coded.bmp"), "BMP"));
        start({"coded.bmp"}, folder.path(), {"QT_SCALE_FACTOR=" + QString::number(scale)});
        if (IsSkipped())
            return;
        main = findWindow(QStringLiteral("Kreslix (32bit) - coded.bmp"), 15000);
        ASSERT_TRUE(main.ok);
        movePointerAway();
    }
    // The pointer away from the window, so that no tooltip covers the picture.
    void movePointerAway() {
        runTool({"motion", QString::number(main.geometry.right() + 40),
                 QString::number(main.geometry.bottom() + 40)});
    }
    void pressZoomKeys(int count) {
        QStringList keys{"type", main.id};
        for (int i = 0; i < std::abs(count); ++i)
            keys << (count > 0 ? "ctrl+plus" : "ctrl+minus");
        if (count != 0)
            runTool(keys);
    }

    // The picture pixel a screen colour shows, if it shows one. At 50 % a screen pixel shows
    // the average of the 2 × 2 picture pixels it covers, whose red and green are those of the
    // block's bottom-right pixel, rounded; its centre lies on the block's middle corner, which
    // counts to the top-left pixel.
    std::optional<Pixel> decode(QRgb c, double zoom) const {
        const int x = qRed(c), y = qGreen(c);
        if (x >= kWidth || y >= kHeight)
            return std::nullopt;
        if (zoom >= 1)
            return c == code(x, y) ? std::optional(Pixel(x, y)) : std::nullopt;
        if (x % 2 == 0 || y % 2 == 0)
            return std::nullopt;
        int blue = 0;
        for (int dy = -1; dy <= 0; ++dy) {
            for (int dx = -1; dx <= 0; ++dx)
                blue += qBlue(code(x + dx, y + dy));
        }
        return std::abs(qBlue(c) - blue / 4) <= 1 ? std::optional(Pixel(x - 1, y - 1))
                                                  : std::nullopt;
    }

    // Which picture pixel each screen pixel of the window shows, once the screen is still.
    void mapScreen(double zoom, size_t atLeast) {
        const QDeadlineTimer deadline(15000);
        std::map<Pixel, Pixel> last;
        while (!deadline.hasExpired()) {
            QThread::msleep(150);
            const QImage screen = screenshot();
            shown.clear();
            for (int y = main.geometry.top(); y <= main.geometry.bottom(); ++y) {
                for (int x = main.geometry.left(); x <= main.geometry.right(); ++x) {
                    if (const auto p = decode(screen.pixel(x, y), zoom))
                        shown[{x, y}] = *p;
                }
            }
            if (shown.size() >= atLeast && shown == last)
                break;
            last = shown;
        }
        // The picture is where whole squares of screen pixels show picture pixels; a stray pixel
        // of the controls may happen to have a picture pixel's colour.
        area = QRect();
        for (const auto& [at, p] : shown) {
            const auto [x, y] = at;
            if (shown.count({x + 1, y}) && shown.count({x, y + 1}) && shown.count({x + 1, y + 1}))
                area |= QRect(x, y, 2, 2);
        }
        std::erase_if(shown, [&](const auto& entry) {
            return !area.contains(entry.first.first, entry.first.second);
        });
    }
    // The picture pixel shown at a screen point. Where a grid line tints the screen pixel, the
    // pixel is that of the block the line begins, right and below.
    Pixel under(QPoint screen, bool grid = false) const {
        for (const QPoint step : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
            const auto found = shown.find({screen.x() + step.x(), screen.y() + step.y()});
            if (found != shown.end())
                return found->second;
            if (!grid)
                break;
        }
        ADD_FAILURE() << "no picture pixel shown at " << screen.x() << "," << screen.y();
        return {-1000, -1000};
    }
    QPoint pictureCorner() const {
        for (const auto& [at, p] : shown) {
            if (p == Pixel(0, 0))
                return QPoint(at.first, at.second);
        }
        return QPoint();
    }

    QTemporaryDir folder;
    Xclip xclip;
    QImage picture{kWidth, kHeight, QImage::Format_RGB32};
    std::map<Pixel, Pixel> shown;
    QRect area;
};

class MousePhases : public CodedPicture, public ::testing::WithParamInterface<Showing> {};

TEST_P(MousePhases, EveryPressReachesThePixelShownUnderIt) {
    const Showing view = GetParam();
    startShowing(view.scale);
    if (IsSkipped())
        return;
    pressZoomKeys(view.zoomKeys);
    const bool whole = view.zoom == 1;
    mapScreen(view.zoom, whole ? size_t(kWidth * kHeight) : 1000);
    const bool grid = view.zoom >= 8;
    if (whole) {
        // Shown crisp: every picture pixel, unblended, as a block of the scale's size rounded
        // down or up.
        std::map<Pixel, int> blockSizes;
        for (const auto& [at, p] : shown)
            ++blockSizes[p];
        ASSERT_EQ(int(blockSizes.size()), kWidth * kHeight);
        const int smallest = int(std::floor(view.scale)), largest = int(std::ceil(view.scale));
        for (const auto& [p, size] : blockSizes)
            ASSERT_TRUE(size >= smallest * smallest && size <= largest * largest) << size;
    }

    // Presses at every screen pixel phase of the picture pixel edges, and releases at every
    // phase too; each line runs from the pixel shown under the press to the one under the
    // release, that one left out. Each drag has a square cell of its own, a whole number of
    // turns of the pattern wide, so that the lines never share a picture pixel.
    const int block = int(std::ceil(view.scale * view.zoom));
    const int cell =
        view.period * int(std::ceil(std::max(30, 3 * block + view.period) / double(view.period)));
    const QRect room = area.adjusted(2 * block, 2 * block, -cell, -cell);
    const int across = room.width() / cell;
    ASSERT_GE(across * (room.height() / cell), 2 * view.period)
        << "too little of the picture shown";
    std::set<Pixel> expected;
    for (int k = 0; k < 2 * view.period; ++k) {
        const int phase = k % view.period;
        const QPoint from = room.topLeft() + QPoint(k % across, k / across) * cell +
                            QPoint(phase, (phase * 3) % view.period);
        const QPoint to = from + QPoint(cell / 2 + (3 * k + 1) % view.period, 0);
        runTool({"drag", QString::number(from.x()), QString::number(from.y()),
                 QString::number(to.x()), QString::number(to.y())});
        for (int x = under(from, grid).first; x < under(to, grid).first; ++x)
            expected.insert({x, under(from, grid).second});
    }
    if (whole) {
        // A release just left of the picture reaches pixel -1: the line covers column 0.
        const QPoint corner = pictureCorner();
        const QPoint nearEdge = corner + QPoint(7, int(view.scale * kHeight) - 9);
        runTool({"drag", QString::number(nearEdge.x()), QString::number(nearEdge.y()),
                 QString::number(corner.x() - 1), QString::number(nearEdge.y())});
        for (int x = 0; x <= under(nearEdge).first; ++x)
            expected.insert({x, under(nearEdge).second});
    }

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
    if (view.zoom >= 1) {
        const QImage screen = screenshot();
        int stale = 0;
        for (const auto& [at, p] : shown)
            stale += screen.pixel(at.first, at.second) != copied.pixel(p.first, p.second);
        EXPECT_EQ(stale, 0);
    }
    closeWithoutSaving(main);
}

INSTANTIATE_TEST_SUITE_P(Showings, MousePhases, ::testing::ValuesIn(kShowings),
                         [](const auto& info) { return std::string(info.param.name); });

class WheelZoom : public CodedPicture {};

// Ctrl+wheel zooms around the pointer: the picture pixel under it stays there, in and out; Ctrl+0
// then gives back the window as it was at 100 %.
TEST_F(WheelZoom, ThePointedPixelStaysUnderThePointer) {
    startShowing(1.0);
    if (IsSkipped())
        return;
    mapScreen(1, size_t(kWidth * kHeight));
    const QImage atFirst = screenshot().copy(main.geometry);

    pressZoomKeys(2);  // 300 %: larger than the window, so there is room to scroll
    mapScreen(3, 1000);
    const QPoint pointer = area.center() + QPoint(5, -7);
    const Pixel pointed = under(pointer);
    for (const int notches : {1, 1, -1, -1, 1}) {
        runTool({"ctrl-wheel", QString::number(pointer.x()), QString::number(pointer.y()),
                 QString::number(notches)});
        movePointerAway();
        mapScreen(1, 1000);
        EXPECT_EQ(under(pointer), pointed) << "after " << notches << " notches";
        runTool({"motion", QString::number(pointer.x()), QString::number(pointer.y())});
    }

    runTool({"type", main.id, "ctrl+0"});
    movePointerAway();
    QThread::msleep(300);
    const QImage atLast = screenshot().copy(main.geometry);
    ASSERT_EQ(atLast.size(), atFirst.size());
    // The status bar's first panel names the pointer's last position, which differs.
    const QRect position(0, atLast.height() - 18, 150, 18);
    int differing = 0;
    for (int y = 0; y < atLast.height(); ++y) {
        for (int x = 0; x < atLast.width(); ++x)
            differing += !position.contains(x, y) && atLast.pixel(x, y) != atFirst.pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
