// Commands given from the keyboard while a line is dragged with the real mouse: the clipboard
// they fill holds no trace of the preview, and once they are done nothing follows the mouse.
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"

namespace kreslix::e2e {
namespace {

class DragCommand : public ProgramTest {
protected:
    void mouse(const char* action, int x, int y) { runTool(QStringList{action} << at(x, y)); }
    // Waits until the screen shows that many black pixels on row 40 of the picture.
    int blackOnRow40(int wanted) const {
        int count = -1;
        for (const QDeadlineTimer deadline(10000); count != wanted && !deadline.hasExpired();) {
            const QImage screen = screenshot();
            count = 0;
            for (int x = 0; x < 488; ++x)
                count +=
                    screen.pixel(pictureOrigin->x() + x, pictureOrigin->y() + 40) == 0xFF000000;
        }
        return count;
    }

    Xclip xclip;
};

TEST_F(DragCommand, CopyAndARefusedClearEndTheDragWithoutATrace) {
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        GTEST_SKIP() << "xclip is not installed";
    start();
    if (IsSkipped())
        return;
    waitForStartPicture();
    QImage white(488, 297, QImage::Format_RGB32);
    white.fill(Qt::white);

    // Ctrl+C with the button held; the moves and the release that follow draw nothing.
    mouse("press", 40, 40);
    mouse("motion", 240, 40);
    ASSERT_EQ(blackOnRow40(200), 200) << "the preview does not show";
    EXPECT_EQ(copyPicture(xclip), white);
    mouse("motion", 240, 140);
    mouse("release", 240, 140);
    EXPECT_EQ(copyPicture(xclip), white);

    // Del with the button held: the prompt takes the release; after "Nie", clicked at the
    // middle of the button, moves over the picture with no button held draw nothing.
    mouse("press", 40, 40);
    mouse("motion", 140, 40);
    ASSERT_EQ(blackOnRow40(100), 100) << "the preview does not show";
    runTool({"key", main.id, "Delete"});
    const Found prompt = findWindow(QStringLiteral("Vymazanie obrázka"), 10000);
    ASSERT_TRUE(prompt.ok) << "the clear prompt did not show";
    mouse("release", 140, 40);
    runTool({"drag", QString::number(prompt.geometry.x() + 221),
             QString::number(prompt.geometry.y() + 76)});
    ASSERT_TRUE(windowGone(QStringLiteral("Vymazanie obrázka")));
    for (const QPoint p : {QPoint(300, 200), QPoint(60, 250), QPoint(400, 30)})
        mouse("motion", p.x(), p.y());
    EXPECT_EQ(copyPicture(xclip), white);
    EXPECT_EQ(blackOnRow40(0), 0);
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
