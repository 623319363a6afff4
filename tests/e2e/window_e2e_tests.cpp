#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <cstdlib>

#include "x_window.h"

namespace {

using namespace kreslix::e2e;

const QString kTitle = QStringLiteral("Kreslix (32bit) - bez názvu");

// The length of the run of pure white pixels through (x, y), along a row or a column.
int whiteRun(const QImage& image, QPoint at, bool alongRow) {
    auto white = [&](int x, int y) {
        return image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    };
    if (!white(at.x(), at.y()))
        return 0;
    const QPoint step = alongRow ? QPoint(1, 0) : QPoint(0, 1);
    QPoint first = at, last = at;
    while (white(first.x() - step.x(), first.y() - step.y()))
        first -= step;
    while (white(last.x() + step.x(), last.y() + step.y()))
        last += step;
    return alongRow ? last.x() - first.x() + 1 : last.y() - first.y() + 1;
}

// Whether the window shows a white area of exactly the start picture's size, 488 × 297.
bool showsStartPicture(const QImage& window) {
    for (int y = 0; y < window.height(); y += 4) {
        for (int x = 0; x < window.width(); x += 8) {
            if (whiteRun(window, {x, y}, true) == 488 && whiteRun(window, {x, y}, false) == 297) {
                return true;
            }
        }
    }
    return false;
}

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "DISPLAY is not set";
        program.setProcessEnvironment(programEnvironment());
        program.start(QStringLiteral(KRESLIX_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(10000));
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }

    QProcess program;
};

TEST_F(ProgramWindow, OpensWithTheWhitePictureAndClosesThroughTheWindowManagerProtocol) {
    const Found main = findWindow(kTitle, 15000);
    ASSERT_TRUE(main.ok) << "no window titled " << kTitle.toStdString();
    EXPECT_GE(main.geometry.width(), 628);
    EXPECT_GE(main.geometry.height(), 456);

    const QString shotPath = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/kreslix_start.ppm");
    bool shown = false;
    QImage screen;
    for (int attempt = 0; attempt < 50 && !shown; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        runTool({"shot", shotPath});
        screen = QImage(shotPath);
        ASSERT_FALSE(screen.isNull()) << "unreadable screenshot " << shotPath.toStdString();
        shown = showsStartPicture(screen.copy(main.geometry));
    }
    EXPECT_TRUE(shown) << "no white 488 x 297 picture in " << shotPath.toStdString();

    runTool({"close", main.id});
    // Closing always asks whether to save; "Nie" lets the program end.
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    ASSERT_TRUE(program.waitForFinished(10000)) << "the program did not end after closing";
    EXPECT_EQ(program.readAllStandardError().count("ERROR"), 0) << "the program reported errors";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
