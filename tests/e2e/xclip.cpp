#include "tests/e2e/xclip.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <csignal>

namespace kreslix::e2e {

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
    endOffers();
}

void Xclip::endOffers() {
    for (const auto& process : offers_) {
        process->kill();
        process->waitForFinished(5000);
    }
    offers_.clear();
}

QStringList Xclip::targets() {
    return QString::fromUtf8(runXclip({"-t", "TARGETS", "-o"})).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray Xclip::read(const QString& target) {
    return runXclip({"-t", target, "-o"});
}

void Xclip::offer(const QString& target, const QString& path) {
    // An earlier offer loses the clipboard to this one anyway; ended first, a hung one cannot
    // be asked for the targets before the new owner has taken over.
    endOffers();
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

void Xclip::hang() {
    ASSERT_FALSE(offers_.empty());
    ASSERT_EQ(::kill(pid_t(offers_.back()->processId()), SIGSTOP), 0);
}

}  // namespace kreslix::e2e
