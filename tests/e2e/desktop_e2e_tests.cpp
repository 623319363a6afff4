// The ways in from the desktop, on the real program: its arguments, a file named on the
// command line, files dropped on the window by a real XDND drag, and drawing with the mouse.
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include "tests/e2e/e2e_support.h"
#include "tests/support/crafted_pictures.h"

namespace kreslix::e2e {
namespace {

const QString kUntitled = QStringLiteral("Kreslix (32bit) - bez názvu");
const QString kErrorBox = QStringLiteral("Kreslix - 32bit");

QString testdata(const char* relative) {
    return QStringLiteral(KRESLIX_TESTDATA_DIR "/") + QLatin1String(relative);
}

QString number(int n) {
    return QString::number(n);
}

struct Invocation {
    QStringList arguments;
    int exitCode;
    const char* output;  // a part of standard output; empty when nothing may be printed there
    const char* errors;  // the same for standard error
};

TEST(CommandLine, AnswersOnTheTerminalWithoutADisplay) {
    const Invocation cases[] = {
        {{"--help"}, 0, "Usage: ", ""},
        {{"-h"}, 0, "[FILE]", ""},
        {{"--version"}, 0, "kreslix " KRESLIX_VERSION "\n", ""},
        {{"--frobnicate", "a.bmp"}, 2, "", "Unknown option 'frobnicate'."},
    };
    for (const Invocation& c : cases) {
        QProcess program;
        QProcessEnvironment environment = programEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        program.setProcessEnvironment(environment);
        program.start(programPath(), c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        const std::string call = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << call;
        EXPECT_EQ(program.exitCode(), c.exitCode) << call << "\n" << errors.toStdString();
        EXPECT_TRUE(*c.output ? output.contains(QLatin1String(c.output)) : output.isEmpty())
            << call << " printed:\n"
            << output.toStdString();
        EXPECT_TRUE(*c.errors ? errors.contains(QLatin1String(c.errors)) : errors.isEmpty())
            << call << " reported:\n"
            << errors.toStdString();
    }
}

class DesktopProgram : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString drop(const QStringList& uris) const {
        const QStringList place = at(244, 148);
        return runTool(QStringList{"drop", main.id} + place + uris).trimmed();
    }

    QTemporaryDir folder;
};

TEST_F(DesktopProgram, OpensTheFileNamedOnTheCommandLine) {
    ASSERT_TRUE(QFile::copy(testdata("bmpsuite/g/rgb24.bmp"), folder.filePath("some.bmp")));
    start({"some.bmp"}, folder.path());
    waitForPicture(QStringLiteral("Kreslix (32bit) - some.bmp"),
                   QImage(testdata("bmpsuite/ref/rgb24.png")));
    EXPECT_FALSE(findWindow(kErrorBox, 0).ok) << "an error box showed";
}

TEST_F(DesktopProgram, ShowsTheErrorBoxForADamagedFileAndThenTheUntitledPicture) {
    start({testdata("bmpsuite/b/shortfile.bmp")});
    const Found box = findWindow(kErrorBox, 15000);
    ASSERT_TRUE(box.ok) << "no error box";
    runTool({"key", box.id, "Return"});
    EXPECT_TRUE(windowGone(kErrorBox, 5000)) << "the error box did not close";
    waitForPicture(kUntitled, QImage());
}

// A 3 KB progressive JPEG of 31000 × 31000 in 256 scans takes most of a minute to decode: its
// read shows a progress window, and Escape there stops it without changing anything.
TEST_F(DesktopProgram, StopsTheLongReadOfACraftedFileWithEscape) {
    const QString path = folder.filePath("scans.jpg");
    QFile file(path);
    const QByteArray bytes = testing::craftedProgressiveJpeg(31000, 31000, 256);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    start({path});
    const QString progressTitle = QStringLiteral("Čítanie súboru");
    const Found progress = findWindow(progressTitle, 15000);
    ASSERT_TRUE(progress.ok) << "no progress window";
    runTool({"key", progress.id, "Escape"});
    EXPECT_TRUE(windowGone(progressTitle, 1000)) << "the progress window stayed";
    waitForPicture(kUntitled, QImage());
    EXPECT_FALSE(findWindow(kErrorBox, 0).ok) << "an error box showed";
    // The read ends: the window answers the keyboard again. It holds input back while a read
    // runs, and the reader may take a moment to let go of its memory (longer in a sanitizer
    // build), so the key is sent again until the dialog shows.
    bool answered = false;
    for (int attempt = 0; attempt < 10 && !answered; ++attempt) {
        runTool({"key", main.id, "o", "ctrl"});
        answered = findWindow(QStringLiteral("Otvoriť"), 1000).ok;
    }
    EXPECT_TRUE(answered) << "the window does not answer";
}

TEST_F(DesktopProgram, OpensADroppedPictureAfterTheSaveChangesStepAndRefusesOtherDrops) {
    const QString picture = folder.filePath("dropped.bmp");
    ASSERT_TRUE(QFile::copy(testdata("bmpsuite/g/rgb24.bmp"), picture));
    const QString pictureUri = QUrl::fromLocalFile(picture).toString();
    start();
    waitForPicture(kUntitled, QImage());
    // A line drawn with the mouse changes the picture, so the drop must ask first.
    runTool(QStringList{"drag"} + at(20, 20) + at(200, 100));

    EXPECT_EQ(drop({QUrl::fromLocalFile(folder.filePath("photo.png")).toString()}), "refused");
    EXPECT_EQ(drop({pictureUri, pictureUri}), "refused");
    EXPECT_EQ(drop({QStringLiteral("https://example.org/picture.bmp")}), "refused");
    EXPECT_TRUE(findWindow(kUntitled, 0).ok) << "a refused drop changed the document";

    EXPECT_EQ(drop({pictureUri}), "accepted");
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    waitForPicture(QStringLiteral("Kreslix (32bit) - dropped.bmp"),
                   QImage(testdata("bmpsuite/ref/rgb24.png")));
}

// Qt's own dialogs speak Slovak, from Qt's catalogue wherever the program is installed.
TEST_F(DesktopProgram, OpenDialogSpeaksSlovak) {
    start();
    waitForPicture(kUntitled, QImage());
    // "Otvoriť", the second button of the bar above the picture.
    runTool({"drag", number(main.geometry.x() + 38), number(pictureOrigin->y() - 14)});
    EXPECT_TRUE(findWindow(QStringLiteral("Otvoriť"), 10000).ok) << "no file dialog titled Otvoriť";
}

}  // namespace
}  // namespace kreslix::e2e
