// Commands given from the keyboard while a line is being dragged with the real mouse: the
// picture they see, and the clipboard they fill, hold no trace of the preview, and once they
// are done nothing follows the mouse.
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"

namespace kreslix::e2e {
namespace {

QImage white() {
    QImage image(488, 297, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

class DragCommand : public ProgramTest {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        start();
        if (IsSkipped())
            return;
        waitForStartPicture();
    }

    void mouse(const char* action, QPoint inPicture) {
        runTool(QStringList{action} << at(inPicture.x(), inPicture.y()));
    }
    // Text on the clipboard, so that the program's next offer is seen to arrive.
    void offerText() {
        QFile text(folder.filePath("text.txt"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("55");
        text.close();
        xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
    }
    // The picture that Ctrl+C, given now, puts on the clipboard.
    QImage copy() {
        offerText();
        runTool({"key", main.id, "c", "ctrl"});
        const QDeadlineTimer deadline(15000);
        while (!xclip.targets().contains("image/bmp") && !deadline.hasExpired())
            QThread::msleep(20);
        return QImage::fromData(xclip.read(QStringLiteral("image/bmp")))
            .convertToFormat(QImage::Format_RGB32);
    }
    // How many black pixels of the picture the screen shows.
    int blackOnScreen() const {
        const QImage screen = screenshot();
        int count = 0;
        for (int y = 0; y < 297; ++y) {
            for (int x = 0; x < 488; ++x)
                count +=
                    (screen.pixel(pictureOrigin->x() + x, pictureOrigin->y() + y) & 0xFFFFFF) == 0;
        }
        return count;
    }
    // Waits until the screen shows that many black pixels of the picture, and gives the count.
    int waitForBlack(int wanted) const {
        int count = blackOnScreen();
        for (const QDeadlineTimer deadline(10000); count != wanted && !deadline.hasExpired();) {
            QThread::msleep(50);
            count = blackOnScreen();
        }
        return count;
    }

    QTemporaryDir folder;
    Xclip xclip;
};

TEST_F(DragCommand, CopyWhileDraggingCopiesThePictureWithoutThePreview) {
    mouse("press", {40, 40});
    mouse("motion", {240, 40});
    ASSERT_EQ(waitForBlack(200), 200) << "the preview of the line does not show";
    EXPECT_EQ(copy(), white());
    mouse("motion", {240, 140});
    mouse("release", {240, 140});
    EXPECT_EQ(copy(), white()) << "the release after the copy drew";
    EXPECT_EQ(waitForBlack(0), 0);
    closeWithoutSaving(main);
}

// The clear prompt takes the release; refused with "Nie", it leaves no line behind, and moving
// the mouse over the picture afterwards with no button held draws nothing.
TEST_F(DragCommand, RefusedClearDuringADragLeavesNothingFollowingTheMouse) {
    mouse("press", {40, 40});
    mouse("motion", {140, 40});
    ASSERT_EQ(waitForBlack(100), 100) << "the preview of the line does not show";
    runTool({"key", main.id, "Delete"});
    const Found prompt = findWindow(QStringLiteral("Vymazanie obrázka"), 10000);
    ASSERT_TRUE(prompt.ok) << "the clear prompt did not show";
    mouse("release", {140, 40});
    // "Nie", clicked with the mouse at the middle of the button.
    runTool({"drag", QString::number(prompt.geometry.x() + 221),
             QString::number(prompt.geometry.y() + 76)});
    ASSERT_TRUE(windowGone(QStringLiteral("Vymazanie obrázka")));
    for (QPoint p : {QPoint(300, 200), QPoint(60, 250), QPoint(400, 30)})
        mouse("motion", p);
    EXPECT_EQ(copy(), white());
    EXPECT_EQ(waitForBlack(0), 0);
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
