#include "tests/e2e/x_display.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace kreslix::e2e {

void startProgram(QProcess& program) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KRESLIX_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
}

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

QImage screenshot(const QString& path) {
    runTool({"shot", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

namespace {

// Runs xclip to its end while this process goes on handling events.
QByteArray runXclip(const QStringList& arguments) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), QStringList{"-selection", "clipboard"} + arguments);
    const QDeadlineTimer deadline(20000);
    while (xclip.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        xclip.waitForFinished(10);
    }
    if (xclip.state() != QProcess::NotRunning) {
        ADD_FAILURE() << "xclip " << arguments.join(u' ').toStdString() << " did not end";
        xclip.kill();
        xclip.waitForFinished(5000);
    }
    return xclip.exitCode() == 0 ? xclip.readAllStandardOutput() : QByteArray();
}

}  // namespace

Xclip::~Xclip() {
    for (const auto& process : offers_) {
        process->kill();
        process->waitForFinished(5000);
    }
}

QStringList Xclip::targets() {
    return QString::fromUtf8(runXclip({"-t", "TARGETS", "-o"})).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray Xclip::read(const QString& target) {
    return runXclip({"-t", target, "-o"});
}

void Xclip::offer(const QString& target, const QString& path) {
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral("xclip"),
                   {"-selection", "clipboard", "-quiet", "-t", target, "-i", path});
    ASSERT_TRUE(process->waitForStarted(10000));
    offers_.push_back(std::move(process));
    const QDeadlineTimer deadline(10000);
    while (!targets().contains(target) && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_TRUE(targets().contains(target)) << "xclip does not offer " << target.toStdString();
}

}  // namespace kreslix::e2e
