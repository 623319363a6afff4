#include "tests/e2e/e2e_support.h"

#include <QThread>

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

bool windowGone(const QString& title) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (!findWindow(title, 0).ok)
            return true;
        QThread::msleep(100);
    }
    return false;
}

QImage screenshot() {
    const QString path = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/screen.ppm");
    runTool({"shot", path});
    QImage screen(path);
    EXPECT_FALSE(screen.isNull()) << "unreadable screenshot " << path.toStdString();
    return screen.convertToFormat(QImage::Format_RGB32);
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

std::optional<QPoint> startPicture(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 8) {
            if (whiteRun(image, {x, y}, true) == 488 && whiteRun(image, {x, y}, false) == 297) {
                QPoint corner(x, y);
                while (whiteRun(image, corner - QPoint(1, 0), true) == 488)
                    corner.rx() -= 1;
                while (whiteRun(image, corner - QPoint(0, 1), false) == 297)
                    corner.ry() -= 1;
                return corner;
            }
        }
    }
    return std::nullopt;
}

Found waitForStartPicture() {
    const Found main = findWindow(kMainTitle, 15000);
    EXPECT_TRUE(main.ok) << "no window titled " << kMainTitle.toStdString();
    if (!main.ok)
        return main;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        if (startPicture(screenshot().copy(main.geometry)))
            return main;
    }
    ADD_FAILURE() << "no white 488 x 297 picture in the window";
    return {};
}

void ProgramWindow::SetUp() {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "DISPLAY is not set";
}

void ProgramWindow::startProgram(const QStringList& changes) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // In a sanitizer build, leaks of the system libraries are not the program's.
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
    for (const QString& change : changes)
        environment.insert(change.section(u'=', 0, 0), change.section(u'=', 1));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KRESLIX_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
}

void ProgramWindow::TearDown() {
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
}

void ProgramWindow::closeWithoutSaving(const Found& main) {
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

}  // namespace kreslix::e2e
