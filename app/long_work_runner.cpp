#include "app/long_work_runner.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

namespace kreslix {
namespace {

// How long a job runs before its progress window appears, and how often the window's bar follows.
constexpr int progressWindowDelayMs = 500;
constexpr int progressTickMs = 40;
constexpr int barSteps = 1000;

// What the job and the waiting window share; the job only touches these atomics.
class SharedProgress : public WorkProgress {
public:
    void report(double fraction) override {
        const double clamped = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
        steps_.store(int(std::lround(clamped * barSteps)), std::memory_order_relaxed);
    }
    bool stopRequested() const override { return stop_.load(std::memory_order_relaxed); }

    void requestStop() { stop_.store(true, std::memory_order_relaxed); }
    int steps() const { return steps_.load(std::memory_order_relaxed); }

private:
    std::atomic<int> steps_{0};
    std::atomic<bool> stop_{false};
};

// The small modal window: what runs, how far it is, and "Zrušiť".
class ProgressWindow : public QDialog {
public:
    ProgressWindow(QWidget* parent, const QString& title, SharedProgress& progress)
        : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
          progress_(progress) {
        setObjectName(QStringLiteral("LongWorkProgress"));
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(title, this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, barSteps);
        bar_->setMinimumWidth(260);
        auto* stop = new QPushButton(QStringLiteral("Zrušiť"), this);
        stop->setObjectName(QStringLiteral("zrusit"));
        layout->addWidget(label);
        layout->addWidget(bar_);
        layout->addWidget(stop, 0, Qt::AlignHCenter);
        connect(stop, &QPushButton::clicked, this, &QDialog::reject);
    }

    void follow() { bar_->setValue(progress_.steps()); }

    // "Zrušiť", Escape and the close box all come here: the stop is asked for and the window
    // goes at once, while the job finds the request at its next check.
    void reject() override {
        progress_.requestStop();
        hide();
    }

private:
    SharedProgress& progress_;
    QProgressBar* bar_ = nullptr;
};

// Holds back user input to every window but the progress window while the job runs, as a
// modal step does; Escape asks the job to stop, and closing a window waits.
class InputHold : public QObject {
public:
    InputHold(ProgressWindow& window, SharedProgress& progress)
        : window_(window), progress_(progress) {
        qApp->installEventFilter(this);
    }
    ~InputHold() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!isUserInput(event->type()) || belongsToProgressWindow(target))
            return false;
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            progress_.requestStop();
        }
        // A close asked for now is refused; the window can be closed once the job ends.
        event->ignore();
        return true;
    }

private:
    static bool isUserInput(QEvent::Type type) {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
            case QEvent::InputMethod:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::TabletMove:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::Close:
                return true;
            default:
                return false;
        }
    }

    bool belongsToProgressWindow(QObject* target) const {
        if (target == &window_ || (window_.windowHandle() && target == window_.windowHandle()))
            return true;
        const auto* widget = qobject_cast<const QWidget*>(target);
        return widget && window_.isAncestorOf(widget);
    }

    ProgressWindow& window_;
    SharedProgress& progress_;
};

}  // namespace

bool runLongWorkWaiting(QWidget* window, const QString& title, const LongJob& job) {
    SharedProgress progress;
    std::atomic<bool> finished{false};
    bool stopped = false;
    std::exception_ptr failure;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    ProgressWindow progressWindow(window, title, progress);
    InputHold hold(progressWindow, progress);

    std::thread worker([&] {
        try {
            job(progress);
        } catch (const WorkStopped&) {
            stopped = true;
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(true, std::memory_order_release);
        // Wakes the waiting loop at once; the loop is still there, as it waits for this thread.
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });

    QTimer reveal;
    reveal.setSingleShot(true);
    QObject::connect(&reveal, &QTimer::timeout, &progressWindow, [&] {
        if (finished.load(std::memory_order_acquire) || progress.stopRequested())
            return;
        progressWindow.follow();
        progressWindow.show();
        // The arrow with the hourglass, so that "Zrušiť" looks like something to press.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    });
    reveal.start(progressWindowDelayMs);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progressWindow, [&] {
        if (finished.load(std::memory_order_acquire))
            loop.quit();
        else if (progressWindow.isVisible())
            progressWindow.follow();
    });
    tick.start(progressTickMs);

    while (!finished.load(std::memory_order_acquire))
        loop.exec();
    worker.join();

    tick.stop();
    reveal.stop();
    progressWindow.hide();
    QApplication::restoreOverrideCursor();
    if (failure)
        std::rethrow_exception(failure);
    return !stopped;
}

}  // namespace kreslix
