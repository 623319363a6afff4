#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include "tests/e2e/e2e_support.h"

namespace kreslix::e2e {
namespace {

const QString kTitle = QStringLiteral("Kreslix (32bit) - bez názvu");

class ProgramWindow : public ProgramTest {
protected:
    void SetUp() override { start(); }
};

TEST_F(ProgramWindow, OpensWithTheWhitePictureAndClosesThroughTheWindowManagerProtocol) {
    const Found main = findWindow(kTitle, 15000);
    ASSERT_TRUE(main.ok) << "no window titled " << kTitle.toStdString();
    EXPECT_GE(main.geometry.width(), 628);
    EXPECT_GE(main.geometry.height(), 456);

    bool shown = false;
    for (int attempt = 0; attempt < 50 && !shown; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        const QImage screen = screenshot();
        ASSERT_FALSE(screen.isNull()) << "unreadable screenshot";
        shown = startPictureAt(screen.copy(main.geometry)).has_value();
    }
    EXPECT_TRUE(shown) << "no white 488 x 297 picture on the screen";

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
}  // namespace kreslix::e2e
