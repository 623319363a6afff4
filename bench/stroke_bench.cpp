// A rectangle drag with a filled brush on an 8000 × 6000 picture, through the main window's
// mouse handlers and picture view, against the two bare figure draws that each move needs
// (the previous preview again and the new one, both in not-xor). Prints the median time per
// move for each, their ratio, and the pixels the view repainted per move against the two
// figures' rectangles. Runs offscreen.
#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/telo.h"
#include "tests/support/scripted_prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;
constexpr int kMoves = 100;
constexpr kreslix::Colour kFill = 0x000000FF;

// Sums the area of the paint events of one widget.
class PaintCounter : public QObject {
public:
    QRegion painted;
    long long area = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            painted += region;
            for (const QRect& r : region)
                area += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
};

QPoint dragPoint(int i) {
    return {100 + (kWidth - 200) * i / kMoves, 100 + (kHeight - 200) * i / kMoves};
}

// The box of a rectangle figure with a one-pixel pen: right and bottom edges exclusive.
QRect figureBox(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of the whole process (the canvas's helper threads included), in milliseconds:
// unlike wall time it hardly changes with what else the machine runs.
double processorMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall and processor time of one piece of work.
struct Timing {
    double wallMs;
    double cpuMs;
};

template <typename Work>
Timing timed(Work&& work) {
    const Clock::time_point begin = Clock::now();
    const double cpu = processorMilliseconds();
    work();
    return {millisecondsSince(begin), processorMilliseconds() - cpu};
}

void sendMouse(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

QImage whitePicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The same two figures on a canvas of its own: the work a move can't do without.
class BareFigures {
public:
    BareFigures() : picture_(whitePicture()), canvas_(&picture_) {
        canvas_.brush().setColour(kFill);
        canvas_.pen().setMode(kreslix::pmNotXor);
    }
    Timing draw(QPoint start, QPoint previous, QPoint to) {
        return timed([&] {
            canvas_.Rectangle(start.x(), start.y(), previous.x(), previous.y());
            canvas_.Rectangle(start.x(), start.y(), to.x(), to.y());
        });
    }

private:
    QImage picture_;
    kreslix::Canvas canvas_;
};

long long areaOf(const QRegion& region) {
    long long area = 0;
    for (const QRect& r : region)
        area += static_cast<long long>(r.width()) * r.height();
    return area;
}

struct Result {
    std::vector<double> moveMs;
    std::vector<double> bareMs;
    std::vector<double> moveCpuMs;
    std::vector<double> bareCpuMs;
    std::vector<double> ratio;
    std::vector<double> repainted;
    std::vector<double> figureArea;
    long long outside = 0;
};

// One drag; each window move is timed next to the bare draws of the same two figures, so that
// both see the same load on the machine.
void drag(QWidget* view, PaintCounter& counter, BareFigures& bare, Result& result) {
    const QPoint start = dragPoint(0);
    sendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    QPoint last = start;
    for (int i = 1; i <= kMoves; ++i) {
        const QPoint to = dragPoint(i);
        counter.painted = QRegion();
        counter.area = 0;
        const Timing move = timed([&] {
            sendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
            QApplication::processEvents();
        });
        const Timing bareDraws = bare.draw(start, last, to);
        const double moveMs = move.wallMs, bareMs = bareDraws.wallMs;
        result.moveMs.push_back(moveMs);
        result.bareMs.push_back(bareMs);
        result.moveCpuMs.push_back(move.cpuMs);
        result.bareCpuMs.push_back(bareDraws.cpuMs);
        result.ratio.push_back(moveMs / bareMs);
        const QRegion figures = QRegion(figureBox(start, last)) + figureBox(start, to);
        result.repainted.push_back(double(counter.area));
        result.figureArea.push_back(double(areaOf(figures & view->visibleRegion())));
        result.outside += areaOf(counter.painted - figures);
        last = to;
    }
    sendMouse(view, QEvent::MouseButtonRelease, last, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
}

Result measure(int drags) {
    kreslix::testing::ScriptedPrompts prompts;
    kreslix::THlavneOkno window(prompts);
    window.document().replacePicture(kreslix::Picture{whitePicture(), nullptr});
    window.findChild<QToolButton*>(QStringLiteral("ObdlTl"))->click();
    window.document().canvas().brush().setColour(kFill);
    window.show();
    QWidget* view = window.findChild<QWidget*>(QStringLiteral("Image"));
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();

    PaintCounter counter;
    view->installEventFilter(&counter);
    BareFigures bare;
    Result result;
    for (int i = 0; i < drags; ++i)
        drag(view, counter, bare, result);
    view->removeEventFilter(&counter);
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    constexpr int kDrags = 5;
    const Result r = measure(kDrags);
    std::printf("rectangle drag, filled, %d x %d picture, %d drags of %d moves\n", kWidth, kHeight,
                kDrags, kMoves);
    std::printf("  window move (handlers + engine + repaint), median: %10.3f ms\n",
                median(r.moveMs));
    std::printf("  two bare Rectangle draws in pmNotXor, median:       %10.3f ms\n",
                median(r.bareMs));
    std::printf("  ratio of the medians:                                %10.3f (aim <= 1.1)\n",
                median(r.moveMs) / median(r.bareMs));
    std::printf("  median of the per-move ratios:                       %10.3f\n", median(r.ratio));
    std::printf("  processor time, all threads, window move, median:    %10.3f ms\n",
                median(r.moveCpuMs));
    std::printf("  processor time, all threads, bare draws, median:     %10.3f ms\n",
                median(r.bareCpuMs));
    std::printf("  ratio of the processor-time medians:                 %10.3f\n",
                median(r.moveCpuMs) / median(r.bareCpuMs));
    std::printf("  pixels repainted per move, median:                   %10.0f\n",
                median(r.repainted));
    std::printf("  visible pixels of the two figures' boxes, median:    %10.0f\n",
                median(r.figureArea));
    std::printf("  pixels repainted outside the figures' boxes, total:  %10lld (aim 0)\n",
                r.outside);
    return 0;
}
