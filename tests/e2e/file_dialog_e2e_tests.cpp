// The real program with its real file dialogs, driven as a person does: a full path typed and
// confirmed with Enter, the next click on a tool button, and what the run leaves on the disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/e2e_support.h"

namespace kreslix::e2e {
namespace {

// The top-left pixel of the opened 40 x 30 red picture on the screen, or (-1, -1).
QPoint findRedPicture(const QImage& screen, const QRect& window) {
    const auto red = [&](int x, int y) {
        return screen.rect().contains(x, y) && (screen.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    };
    for (int y = window.top(); y <= window.bottom(); ++y) {
        for (int x = window.left(); x <= window.right(); ++x) {
            if (red(x, y) && !red(x - 1, y) && !red(x, y - 1) && red(x + 39, y + 29) &&
                !red(x + 40, y) && !red(x, y + 30)) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

// Every file and folder under the folder, as paths relative to it.
QStringList everythingUnder(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

// Whether no name-completion list is on the screen, waiting up to timeoutMs for it to close.
bool listGone(int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        bool shown = true;
        runTool({"find", "kreslix", "0"}, &shown);
        if (!shown)
            return true;
        if (waited >= timeoutMs)
            return false;
        QThread::msleep(100);
    }
}

// Types a full path into the file dialog of that title and confirms it with Enter. A path that
// names an existing file opens the dialog's name-completion list first, over the main window:
// an untitled window of the program's own.
void chooseInDialog(const QString& title, const QString& path, bool existing) {
    const Found dialog = findWindow(title, 10000);
    ASSERT_TRUE(dialog.ok) << "no dialog " << title.toStdString();
    // Focused as a window manager focuses a new window, so that no key goes to the main window.
    runTool({"focus", dialog.id});
    runTool({"text", dialog.id, path});
    if (existing) {
        ASSERT_TRUE(findWindow(QStringLiteral("kreslix"), 5000).ok) << "no completion list";
    } else {
        // A list shown for the folders on the way closes once the name matches nothing; Enter
        // while it is still open would only close it.
        ASSERT_TRUE(listGone(3000)) << "a completion list stayed open";
    }
    runTool({"key", dialog.id, "Return"});
}

TEST_F(ProgramTest, FileDialogsLeaveNothingBehindButThePictureSaved) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString home = folder.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString opened = folder.filePath(QStringLiteral("cervena.bmp"));
    ASSERT_TRUE(red.save(opened, "BMP"));

    start({}, {},
          {"HOME=" + home, "XDG_CONFIG_HOME=" + home, "XDG_CACHE_HOME=" + home,
           "XDG_DATA_HOME=" + home});
    if (IsSkipped())
        return;

    const Found main = findWindow(kMainTitle, 15000);
    ASSERT_TRUE(main.ok);
    runTool({"focus", main.id});
    runTool({"key", main.id, "o", "ctrl"});
    ASSERT_NO_FATAL_FAILURE(chooseInDialog(QStringLiteral("Otvoriť"), opened, true));
    ASSERT_TRUE(findWindow(QStringLiteral("Kreslix (32bit) - cervena.bmp"), 10000).ok);
    QThread::msleep(300);
    EXPECT_TRUE(listGone(0)) << "the completion list outlived the dialog";

    // The tool panel ends one pixel left of the picture; the rectangle tool is at (8, 83) in it
    // and shows the fill toggles in Panel2 at (8, 248), 49 x 65.
    QImage before;
    QPoint picture{-1, -1};
    for (int attempt = 0; attempt < 50 && picture.x() < 0; ++attempt) {
        QThread::msleep(attempt > 0 ? 100 : 0);
        before = screenshot();
        picture = findRedPicture(before, main.geometry);
    }
    ASSERT_GE(picture.x(), 0) << "the opened picture is not shown";
    const QPoint panel = picture - QPoint(66, 0);
    const QRect fillToggles(panel + QPoint(8, 248), QSize(49, 65));
    const QPoint rectangleTool = panel + QPoint(8 + 12, 83 + 12);
    runTool({"drag", QString::number(rectangleTool.x()), QString::number(rectangleTool.y())});
    bool toolChanged = false;
    for (int attempt = 0; attempt < 30 && !toolChanged; ++attempt) {
        QThread::msleep(100);
        toolChanged = screenshot().copy(fillToggles) != before.copy(fillToggles);
    }
    EXPECT_TRUE(toolChanged) << "the click on the rectangle tool did not choose it";

    runTool({"key", main.id, "u", "ctrl"});
    ASSERT_NO_FATAL_FAILURE(
        chooseInDialog(QStringLiteral("Uložiť ako"), home + QStringLiteral("/obrazok"), false));
    ASSERT_TRUE(findWindow(QStringLiteral("Kreslix (32bit) - obrazok.bmp"), 10000).ok);
    runTool({"close", main.id});
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    ASSERT_TRUE(program.waitForFinished(10000)) << "the program did not end";
    EXPECT_EQ(program.exitCode(), 0);

    EXPECT_EQ(everythingUnder(home), QStringList{QStringLiteral("obrazok.bmp")});
    const QImage saved(home + QStringLiteral("/obrazok.bmp"));
    EXPECT_EQ(saved.size(), QSize(40, 30));
}

}  // namespace
}  // namespace kreslix::e2e
