// The real program on a screen scaled by QT_SCALE_FACTOR. Its picture's pixel colours name their
// own coordinates, so a screenshot tells which picture pixel each screen pixel shows; lines
// dragged with the real mouse, read back over the clipboard, tell which pixels the press, the
// moves and the release reached.
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"

namespace kreslix::e2e {
namespace {

constexpr int kWidth = 250, kHeight = 200;

// Red and green are the coordinates, blue a check sum that the program's own colours (greys,
// black lines, the palette) fail.
QRgb code(int x, int y) {
    return qRgb(x, y, (x + 7 * y + 0x33) & 0xFF);
}

std::optional<QPoint> decode(QRgb colour) {
    const int x = qRed(colour), y = qGreen(colour);
    if (x >= kWidth || y >= kHeight || code(x, y) != (colour | 0xFF000000))
        return std::nullopt;
    return QPoint(x, y);
}

QImage codedPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, code(x, y));
    }
    return image;
}

// A line dragged from one screen point to another on the same screen row.
struct Drag {
    QPoint from, to;
};

class HighDpi : public ProgramTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(picture.save(folder.filePath("coded.bmp"), "BMP"));
        start({"coded.bmp"}, folder.path(), {QStringLiteral("QT_SCALE_FACTOR=") + GetParam()});
        if (IsSkipped())
            return;
        main = findWindow(QStringLiteral("Kreslix (32bit) - coded.bmp"), 15000);
        ASSERT_TRUE(main.ok);
        scale = QString::fromLatin1(GetParam()).toDouble();
    }

    // Finds the picture on the screen and which picture pixel each screen pixel of it shows.
    void mapScreen() {
        // The pointer away from the window, so that no tooltip covers the picture.
        runTool({"motion", QString::number(main.geometry.right() + 40),
                 QString::number(main.geometry.bottom() + 40)});
        const QDeadlineTimer deadline(15000);
        while (shown.empty() && !deadline.hasExpired()) {
            const QImage screen = screenshot();
            for (int y = main.geometry.top(); y < main.geometry.bottom() && shown.empty(); ++y) {
                for (int x = main.geometry.left(); x < main.geometry.right(); ++x) {
                    if (decode(screen.pixel(x, y)) == QPoint(0, 0) &&
                        decode(screen.pixel(x + 1, y + 1))) {
                        area = QRect(x, y, int(std::ceil(kWidth * scale)),
                                     int(std::ceil(kHeight * scale)));
                        readArea(screen);
                        break;
                    }
                }
            }
            if (shown.empty())
                QThread::msleep(100);
        }
        ASSERT_FALSE(shown.empty()) << "the picture is not on the screen";
    }

    // Every screen pixel of the picture shows one picture pixel unblended; along each row and
    // column each picture pixel in turn, as a block as wide as the scale rounded down or up.
    void readArea(const QImage& screen) {
        int blended = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (const std::optional<QPoint> p = decode(screen.pixel(x, y)))
                    shown[{x, y}] = *p;
                else
                    ++blended;
            }
        }
        // The last column and row may lie half outside at a fractional scale.
        EXPECT_LE(blended, area.width() + area.height()) << "smoothed or missing pixels";
        std::map<int, int> columnWidths, rowHeights;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (const auto p = shownAt({x, area.top() + area.height() / 2}))
                ++columnWidths[p->x()];
        }
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (const auto p = shownAt({area.left() + area.width() / 2, y}))
                ++rowHeights[p->y()];
        }
        EXPECT_EQ(int(columnWidths.size()), kWidth);
        EXPECT_EQ(int(rowHeights.size()), kHeight);
        for (const auto& sizes : {columnWidths, rowHeights}) {
            for (const auto& [index, size] : sizes) {
                EXPECT_GE(size, int(std::floor(scale))) << index;
                EXPECT_LE(size, int(std::ceil(scale))) << index;
            }
        }
    }

    std::optional<QPoint> shownAt(QPoint screenPoint) const {
        const auto found = shown.find({screenPoint.x(), screenPoint.y()});
        return found == shown.end() ? std::nullopt : std::optional<QPoint>(found->second);
    }
    QPoint pixelUnder(QPoint screenPoint) const {
        const std::optional<QPoint> p = shownAt(screenPoint);
        if (!p)
            ADD_FAILURE() << "no picture pixel at " << screenPoint.x() << "," << screenPoint.y();
        return p.value_or(QPoint(-1000, -1000));
    }

    void drag(const Drag& d) {
        runTool({"drag", QString::number(d.from.x()), QString::number(d.from.y()),
                 QString::number(d.to.x()), QString::number(d.to.y())});
    }

    // Ctrl+C, then the picture as xclip reads it from the program.
    QImage copiedPicture() {
        QFile text(folder.filePath("text.txt"));
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("55");
        text.close();
        xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
        runTool({"key", main.id, "c", "ctrl"});
        const QDeadlineTimer deadline(15000);
        while (!xclip.targets().contains("image/bmp") && !deadline.hasExpired())
            QThread::msleep(20);
        return QImage::fromData(xclip.read(QStringLiteral("image/bmp")))
            .convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir folder;
    Xclip xclip;
    const QImage picture = codedPicture();
    double scale = 1;
    QRect area;
    std::map<std::pair<int, int>, QPoint> shown;
};

// Presses and releases at every phase of the screen pixels within a picture pixel: each line
// runs from the pixel shown under the press to the one shown under the release, that one left
// out. A release just left of the picture reaches pixel -1, so the line covers column 0.
TEST_P(HighDpi, TheMouseReachesThePixelShownUnderIt) {
    mapScreen();
    if (HasFatalFailure())
        return;
    std::set<std::pair<int, int>> expected;
    std::vector<Drag> drags;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QPoint from = area.topLeft() + QPoint(15 + 70 * column + (row + column) % 3,
                                                        15 + 45 * row + row % 3);
            const QPoint to = from + QPoint(20 + (2 * column + row) % 3, 0);
            drags.push_back({from, to});
            const QPoint a = pixelUnder(from), b = pixelUnder(to);
            ASSERT_EQ(a.y(), b.y());
            for (int x = a.x(); x < b.x(); ++x)
                expected.insert({x, a.y()});
        }
    }
    const QPoint nearEdge = area.topLeft() + QPoint(7, area.height() - 9);
    drags.push_back({nearEdge, QPoint(area.left() - 1, nearEdge.y())});
    for (int x = 0; x <= pixelUnder(nearEdge).x(); ++x)
        expected.insert({x, pixelUnder(nearEdge).y()});
    for (const Drag& d : drags)
        drag(d);

    const QImage copied = copiedPicture();
    ASSERT_EQ(copied.size(), picture.size());
    std::set<std::pair<int, int>> changed;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (copied.pixel(x, y) != picture.pixel(x, y)) {
                changed.insert({x, y});
                EXPECT_EQ(copied.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(changed, expected);

    // The screen shows the drawn picture through the same pixel blocks.
    const QImage screen = screenshot();
    int stale = 0;
    for (const auto& [at, p] : shown)
        stale += screen.pixel(at.first, at.second) != copied.pixel(p);
    EXPECT_EQ(stale, 0);
    closeWithoutSaving(main);
}

INSTANTIATE_TEST_SUITE_P(Scales, HighDpi, ::testing::Values("2", "1.5"), [](const auto& info) {
    return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString();
});

}  // namespace
}  // namespace kreslix::e2e
