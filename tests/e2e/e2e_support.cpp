#include "tests/e2e/e2e_support.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/xclip.h"

namespace kreslix::e2e {

const QString kMainTitle = QStringLiteral("Kreslix (32bit) - bez názvu");

QString runTool(const QStringList& arguments, bool* ok) {
    QProcess tool;
    tool.start(QStringLiteral(KRESLIX_X_WINDOW_TOOL), arguments);
    const bool finished = tool.waitForFinished(30000);
    const bool success =
        finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (ok) {
        *ok = success;
    } else {
        EXPECT_TRUE(success) << arguments.join(u' ').toStdString() << ": "
                             << tool.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

Found findWindow(const QString& title, int timeoutMs) {
    bool ok = false;
    const QStringList fields =
        runTool({"find", title, QString::number(timeoutMs)}, &ok).split(u' ', Qt::SkipEmptyParts);
    if (!ok || fields.size() != 5)
        return {};
    return {true, fields[0],
            QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt())};
}

bool windowGone(const QString& title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        if (!findWindow(title, 0).ok)
            return true;
        QThread::msleep(100);
    }
    return false;
}

QImage screenshot() {
    const QString path = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/screen.ppm");
    runTool({"shot", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

namespace {

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

}  // namespace

std::optional<QPoint> startPictureAt(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 8) {
            if (whiteRun(image, {x, y}, true) == 488 && whiteRun(image, {x, y}, false) == 297) {
                int left = x, top = y;
                while (left > 0 && (image.pixel(left - 1, y) & 0xFFFFFF) == 0xFFFFFF)
                    --left;
                while (top > 0 && (image.pixel(x, top - 1) & 0xFFFFFF) == 0xFFFFFF)
                    --top;
                return QPoint(left, top);
            }
        }
    }
    return std::nullopt;
}

std::optional<QPoint> pictureAt(const QImage& image, const QImage& picture) {
    const QImage wanted = picture.convertToFormat(QImage::Format_RGB32);
    const QImage screen = image.convertToFormat(QImage::Format_RGB32);
    auto matches = [&](int left, int top) {
        for (int y = 0; y < wanted.height(); ++y) {
            for (int x = 0; x < wanted.width(); ++x) {
                if ((screen.pixel(left + x, top + y) ^ wanted.pixel(x, y)) & 0xFFFFFF)
                    return false;
            }
        }
        return true;
    };
    for (int top = 0; top + wanted.height() <= screen.height(); ++top) {
        for (int left = 0; left + wanted.width() <= screen.width(); ++left) {
            if (matches(left, top))
                return QPoint(left, top);
        }
    }
    return std::nullopt;
}

QString programPath() {
    const QString chosen = qEnvironmentVariable("KRESLIX_E2E_PROGRAM");
    return chosen.isEmpty() ? QStringLiteral(KRESLIX_PROGRAM) : chosen;
}

QProcessEnvironment programEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // An X11 session: the program would take a Wayland desktop around the X server for its
    // own and capture that one through the portal.
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XDG_SESSION_TYPE"));
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
    return environment;
}

void ProgramTest::start(const QStringList& arguments, const QString& workingDirectory,
                        const QStringList& environmentChanges) {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "DISPLAY is not set";
    QProcessEnvironment environment = programEnvironment();
    for (const QString& change : environmentChanges)
        environment.insert(change.section(u'=', 0, 0), change.section(u'=', 1));
    program.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        program.setWorkingDirectory(workingDirectory);
    program.start(programPath(), arguments);
    ASSERT_TRUE(program.waitForStarted(10000));
}

void ProgramTest::waitForPicture(const QString& caption, const QImage& picture) {
    pictureOrigin.reset();
    main = findWindow(caption, 15000);
    ASSERT_TRUE(main.ok) << "no window titled " << caption.toStdString();
    for (int attempt = 0; attempt < 50 && !pictureOrigin; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        const QImage window = screenshot().copy(main.geometry);
        const std::optional<QPoint> found =
            picture.isNull() ? startPictureAt(window) : pictureAt(window, picture);
        if (found)
            pictureOrigin = main.geometry.topLeft() + *found;
    }
    ASSERT_TRUE(pictureOrigin) << "the window does not show the picture";
}

Found ProgramTest::waitForStartPicture() {
    waitForPicture(kMainTitle, {});
    return pictureOrigin ? main : Found{};
}

void ProgramTest::closeWithoutSaving(const Found& window) {
    runTool({"close", window.id});
    // Closing always asks whether to save; "Nie" lets the program end.
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    ASSERT_TRUE(program.waitForFinished(10000)) << "the program did not end after closing";
    EXPECT_EQ(program.readAllStandardError().count("ERROR"), 0) << "the program reported errors";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

QImage ProgramTest::copyPicture(Xclip& xclip) {
    QTemporaryDir folder;
    QFile text(folder.filePath("text.txt"));
    EXPECT_TRUE(text.open(QIODevice::WriteOnly) && text.write("55") == 2);
    text.close();
    xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
    runTool({"key", main.id, "c", "ctrl"});
    for (const QDeadlineTimer deadline(15000);
         !xclip.targets().contains("image/bmp") && !deadline.hasExpired();) {
        QThread::msleep(20);
    }
    return QImage::fromData(xclip.read("image/bmp")).convertToFormat(QImage::Format_RGB32);
}

QStringList ProgramTest::at(int x, int y) const {
    return {QString::number(pictureOrigin->x() + x), QString::number(pictureOrigin->y() + y)};
}

void ProgramTest::TearDown() {
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
}

}  // namespace kreslix::e2e
