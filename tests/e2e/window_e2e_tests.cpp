#include <QThread>

#include "tests/e2e/e2e_support.h"

namespace kreslix::e2e {
namespace {

TEST_F(ProgramTest, OpensWithTheWhitePictureAndClosesThroughTheWindowManagerProtocol) {
    start();
    const Found main = waitForStartPicture();
    ASSERT_TRUE(main.ok);
    EXPECT_GE(main.geometry.width(), 628);
    EXPECT_GE(main.geometry.height(), 456);
    closeWithoutSaving(main);
}

// A screenshot of the whole screen, kept beside the test as a PNG to look at.
QImage screenshot(const char* name) {
    const QString ppm = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/") + QLatin1String(name) + ".ppm";
    runTool({"shot", ppm});
    QImage screen(ppm);
    screen.save(QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/") + QLatin1String(name) + ".png");
    return screen;
}

// How many pixels of the drawn icon differ on the screen with its top-left corner at `at`.
int iconDifferences(const QImage& screen, QPoint at) {
    const QImage drawn =
        QImage(QStringLiteral(KRESLIX_E2E_SOURCE_DIR "/../../data/icons/kreslix-32.png"))
            .convertToFormat(QImage::Format_ARGB32);
    if (drawn.size() != QSize(32, 32))
        return -1;
    int differences = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb want = drawn.pixel(x, y);
            if (qAlpha(want) == 255 &&
                (screen.pixel(at + QPoint(x, y)) & 0xFFFFFF) != (want & 0xFFFFFF)) {
                ++differences;
            }
        }
    }
    return differences;
}

int pixelsOf(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == colour;
    }
    return count;
}

// The About box opens from the Help menu centred on the screen, with the heavy title and the
// icon; its arrows change the contact line, and "O.K." or Escape closes it. The properties dialog
// opens from the File menu at its own place and closes with "OK".
TEST_F(ProgramTest, AboutBoxAndPropertiesOpenFromTheMenusAndCloseThroughTheirButtons) {
    start();
    const Found main = waitForStartPicture();
    ASSERT_TRUE(main.ok);
    QImage screen = screenshot("kreslix_menus");

    // Without a window manager a window is activated only by a click; an empty spot of the
    // button bar takes one harmlessly, and then the menu shortcuts reach the menu bar.
    runTool({"click", main.id, "600", "33"});
    runTool({"key", main.id, "p", "alt"});
    runTool({"key", main.id, "Return"});
    const QString aboutTitle = QStringLiteral("O programe....");
    const Found about = findWindow(aboutTitle, 10000);
    ASSERT_TRUE(about.ok) << "the About box did not show";
    const QPoint box = about.geometry.topLeft();
    EXPECT_EQ(about.geometry.size(), QSize(362, 234));
    EXPECT_EQ(box, QPoint((screen.width() - 362) / 2, (screen.height() - 234) / 2));

    bool painted = false;
    for (int attempt = 0; attempt < 50 && !painted; ++attempt) {
        QThread::msleep(100);
        screen = screenshot("kreslix_about");
        painted = iconDifferences(screen, box + QPoint(312, 144)) == 0;
    }
    EXPECT_TRUE(painted) << "the icon is not shown as drawn";
    EXPECT_GT(pixelsOf(screen, QRect(box + QPoint(32, 16), QSize(200, 40)), 0x000080), 100)
        << "no navy title";
    EXPECT_GT(pixelsOf(screen, QRect(box + QPoint(240, 16), QSize(110, 40)), 0x000000), 100)
        << "no black 2000";

    const QRect contact(box + QPoint(32, 160), QSize(238, 14));
    const QImage firstLine = screen.copy(contact);
    runTool({"click", about.id, "295", "167"});
    bool changed = false;
    for (int attempt = 0; attempt < 50 && !changed; ++attempt) {
        QThread::msleep(50);
        changed = screenshot("kreslix_about_right").copy(contact) != firstLine;
    }
    EXPECT_TRUE(changed) << "the right arrow did not change the contact line";

    runTool({"click", about.id, "286", "206"});
    EXPECT_TRUE(windowGone(aboutTitle)) << "O.K. did not close the About box";

    runTool({"click", main.id, "600", "33"});
    runTool({"key", main.id, "s", "alt"});
    runTool({"key", main.id, "v"});
    const QString propertiesTitle = QStringLiteral("Vlastnosti");
    const Found properties = findWindow(propertiesTitle, 10000);
    ASSERT_TRUE(properties.ok) << "the properties dialog did not show";
    EXPECT_EQ(properties.geometry, QRect(216, 150, 298, 174));
    QThread::msleep(300);
    screenshot("kreslix_properties");
    runTool({"click", properties.id, "149", "156"});
    EXPECT_TRUE(windowGone(propertiesTitle)) << "OK did not close the properties dialog";

    // From the keyboard alone: the box opens with the focus on "O.K." and Escape closes it.
    runTool({"click", main.id, "600", "33"});
    runTool({"key", main.id, "p", "alt"});
    runTool({"key", main.id, "Return"});
    const Found again = findWindow(aboutTitle, 10000);
    ASSERT_TRUE(again.ok) << "the About box did not show again";
    runTool({"key", again.id, "Escape"});
    EXPECT_TRUE(windowGone(aboutTitle)) << "Escape did not close the About box";

    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
