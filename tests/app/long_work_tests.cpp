#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/long_work_runner.h"
#include "common/error.h"

namespace kreslix::testing {
namespace {

using namespace std::chrono_literals;

QWidget* shownProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("LongWorkProgress") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Calls `step` on the window's thread every 20 ms while the work runs, until it returns true.
void whileWaiting(QObject* context, std::function<bool()> step) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step())
            timer->deleteLater();
    });
    timer->start(20);
}

// A job that reports as it goes and ends only when asked to stop (or fails after 10 s).
void untilStopped(WorkProgress& progress) {
    for (int i = 0; i < 1000; ++i) {
        progress.report(i < 300 ? i / 1000.0 : 0.3);
        if (progress.stopRequested())
            throw WorkStopped();
        std::this_thread::sleep_for(10ms);
    }
}

// The job runs off the window's thread; the window appears after about half a second, shows
// how far the job is, and its Escape stops the job and takes the window away.
TEST(LongWork, ProgressWindowAppearsLateShowsProgressAndEscapeStops) {
    QWidget main;
    main.show();
    const std::thread::id windowThread = std::this_thread::get_id();
    std::thread::id jobThread;
    int barAtStop = -1;
    bool modal = false;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration shownAfter{};
    whileWaiting(&main, [&] {
        QWidget* window = shownProgressWindow();
        if (!window)
            return false;
        shownAfter = std::chrono::steady_clock::now() - start;
        modal = window->isModal();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Otvára sa obrázok"));
        EXPECT_NE(window->findChild<QPushButton*>(QStringLiteral("zrusit")), nullptr);
        QTest::qWait(150);  // lets the bar follow the reports
        barAtStop = window->findChild<QProgressBar*>()->value();
        QTest::keyClick(window, Qt::Key_Escape);
        return true;
    });
    const bool ranToEnd =
        runLongWorkWaiting(&main, QStringLiteral("Otvára sa obrázok"), [&](WorkProgress& progress) {
            jobThread = std::this_thread::get_id();
            untilStopped(progress);
        });
    EXPECT_FALSE(ranToEnd);
    EXPECT_NE(jobThread, windowThread);
    EXPECT_GE(shownAfter, 400ms);
    EXPECT_TRUE(modal);
    EXPECT_GT(barAtStop, 0);
    EXPECT_EQ(shownProgressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Before the window appears, clicks on the main window are held back and Escape stops the job.
TEST(LongWork, HoldsInputBackAndEscapeOnTheMainWindowStops) {
    QPushButton main(QStringLiteral("Nový"));
    main.resize(120, 40);
    main.show();
    int clicks = 0;
    QObject::connect(&main, &QPushButton::clicked, [&] { ++clicks; });
    bool busyCursor = false;
    whileWaiting(&main, [&] {
        busyCursor = QApplication::overrideCursor() != nullptr;
        QTest::mouseClick(&main, Qt::LeftButton);
        QTest::keyClick(&main, Qt::Key_Escape);
        return true;
    });
    EXPECT_FALSE(runLongWorkWaiting(&main, QStringLiteral("Čítanie"), untilStopped));
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&main, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

// A quick job shows no window and returns its result; a failure comes back on this thread.
TEST(LongWork, QuickJobShowsNothingAndFailureIsThrownAgain) {
    QWidget main;
    bool everShown = false;
    whileWaiting(&main, [&] {
        everShown = everShown || shownProgressWindow();
        return false;
    });
    int result = 0;
    EXPECT_TRUE(runLongWorkWaiting(&main, QStringLiteral("Čítanie"), [&](WorkProgress& progress) {
        progress.report(1.0);
        std::this_thread::sleep_for(100ms);
        result = 42;
    }));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(everShown);
    try {
        runLongWorkWaiting(&main, QStringLiteral("Čítanie"), [](WorkProgress&) {
            throw KreslixError(QStringLiteral("Stream read error"));
        });
        ADD_FAILURE() << "the failure was not thrown again";
    } catch (const KreslixError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Stream read error"));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace kreslix::testing
