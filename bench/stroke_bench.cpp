// A rectangle drag with a filled brush on an 8000 × 6000 picture in a full-HD window, through
// the main window's mouse handlers and picture view, against the two bare figure draws that each
// move needs (the previous preview again and the new one, both in not-xor), at 100 %, 800 % and
// 12.5 %, the drags of the three zooms taking turns. Prints for each zoom the median time per
// move, its ratio to the bare draws and to 100 %, and the pixels the view repainted per move
// against the two figures' rectangles; then the time of each zoom step with its repaint. Runs
// offscreen.
#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/picture_view.h"
#include "app/telo.h"
#include "app/view_zoom.h"
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

// The event as the window system sends it: the position in the window is where the view maps
// the mouse from.
void sendMouse(QWidget* view, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    const QPointF scene = at + QPointF(view->mapTo(view->window(), QPoint(0, 0)));
    QMouseEvent event(type, at, scene, view->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

// Where in the view a picture point is shown: the middle of its block, or of the screen pixel
// that reaches it.
QPointF viewPoint(QPoint picture, double zoom) {
    return zoom >= 1 ? (QPointF(picture) + QPointF(0.5, 0.5)) * zoom : QPointF(picture) * zoom;
}

// The part of the view that shows a box of the picture, as the view repaints it.
QRect viewBox(const QRect& box, double zoom) {
    const QRect shown(QPoint(int(std::floor(box.left() * zoom)), int(std::floor(box.top() * zoom))),
                      QPoint(int(std::ceil((box.right() + 1) * zoom)) - 1,
                             int(std::ceil((box.bottom() + 1) * zoom)) - 1));
    return zoom < 1 ? shown.adjusted(-1, -1, 1, 1) : shown;
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
void drag(kreslix::PictureView* view, PaintCounter& counter, BareFigures& bare, Result& result) {
    const double zoom = view->zoom();
    const kreslix::PictureGeometry geometry = view->pictureGeometry();
    const auto reached = [&](QPoint picture) {
        const QPointF at = viewPoint(picture, zoom);
        return std::pair{
            at, kreslix::picturePixelAt(at + QPointF(view->mapTo(view->window(), QPoint(0, 0))),
                                        geometry)};
    };
    const auto [startAt, start] = reached(dragPoint(0));
    sendMouse(view, QEvent::MouseButtonPress, startAt, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    QPoint last = start;
    QPointF lastAt = startAt;
    for (int i = 1; i <= kMoves; ++i) {
        const auto [toAt, to] = reached(dragPoint(i));
        counter.painted = QRegion();
        counter.area = 0;
        const Timing move = timed([&] {
            sendMouse(view, QEvent::MouseMove, toAt, Qt::NoButton, Qt::LeftButton);
            QApplication::processEvents();
        });
        const Timing bareDraws = bare.draw(start, last, to);
        const double moveMs = move.wallMs, bareMs = bareDraws.wallMs;
        result.moveMs.push_back(moveMs);
        result.bareMs.push_back(bareMs);
        result.moveCpuMs.push_back(move.cpuMs);
        result.bareCpuMs.push_back(bareDraws.cpuMs);
        result.ratio.push_back(moveMs / bareMs);
        const QRegion figures =
            QRegion(viewBox(figureBox(start, last), zoom)) + viewBox(figureBox(start, to), zoom);
        result.repainted.push_back(double(counter.area));
        result.figureArea.push_back(double(areaOf(figures & view->visibleRegion())));
        result.outside += areaOf(counter.painted - figures);
        last = to;
        lastAt = toAt;
    }
    sendMouse(view, QEvent::MouseButtonRelease, lastAt, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
}

struct Zoomed {
    const char* name;
    int step;
    Result result;
};

// The zoom, with the picture's top-left corner in view, where the drags begin.
void zoomTo(kreslix::ViewZoom& zoom, int step, QScrollArea& area) {
    while (zoom.step() < step)
        zoom.zoomIn();
    while (zoom.step() > step)
        zoom.zoomOut();
    area.horizontalScrollBar()->setValue(0);
    area.verticalScrollBar()->setValue(0);
    QApplication::processEvents();
}

void report(const Zoomed& z, double moveAt100) {
    const Result& r = z.result;
    std::printf("at %s:\n", z.name);
    std::printf("  window move (handlers + engine + repaint), median: %10.3f ms\n",
                median(r.moveMs));
    std::printf("  two bare Rectangle draws in pmNotXor, median:       %10.3f ms\n",
                median(r.bareMs));
    std::printf("  ratio of the medians:                                %10.3f (aim <= 1.1)\n",
                median(r.moveMs) / median(r.bareMs));
    std::printf("  median of the per-move ratios:                       %10.3f\n", median(r.ratio));
    std::printf("  window move against the one at 100 %%:                %10.3f (aim <= 1.1)\n",
                median(r.moveMs) / moveAt100);
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
}

void run(int drags) {
    kreslix::testing::ScriptedPrompts prompts;
    kreslix::THlavneOkno window(prompts);
    window.document().replacePicture(kreslix::Picture{whitePicture(), nullptr});
    window.findChild<QToolButton*>(QStringLiteral("ObdlTl"))->click();
    window.document().canvas().brush().setColour(kFill);
    window.resize(1920, 1080);
    window.show();
    auto* view = window.findChild<kreslix::PictureView*>(QStringLiteral("Image"));
    auto* zoom = window.findChild<kreslix::ViewZoom*>();
    auto* area = window.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();

    Zoomed zooms[] = {{"100 %", 3, {}}, {"800 %", 8, {}}, {"12.5 %", 0, {}}};
    PaintCounter counter;
    view->installEventFilter(&counter);
    BareFigures bare;
    for (int i = 0; i < drags; ++i) {
        for (Zoomed& z : zooms) {
            zoomTo(*zoom, z.step, *area);
            drag(view, counter, bare, z.result);
        }
    }
    view->removeEventFilter(&counter);
    std::printf(
        "rectangle drag, filled, %d x %d picture, window %d x %d, %d drags of %d moves "
        "at each zoom\n",
        kWidth, kHeight, window.width(), window.height(), drags, kMoves);
    for (const Zoomed& z : zooms)
        report(z, median(zooms[0].result.moveMs));

    // Each step up from 12.5 % to 3200 % and back, with the repaint it causes.
    zoomTo(*zoom, 0, *area);
    std::printf("zoom steps with their repaint (aim <= 16 ms each):\n");
    double slowest = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 1; i < kreslix::zoom_steps::kCount; ++i) {
            const int from = zoom->step();
            const Timing step = timed([&] {
                pass == 0 ? zoom->zoomIn() : zoom->zoomOut();
                QApplication::processEvents();
            });
            slowest = std::max(slowest, step.wallMs);
            std::printf("  %8s -> %-8s %8.3f ms\n",
                        qPrintable(kreslix::zoom_steps::percentText(from)),
                        qPrintable(kreslix::zoom_steps::percentText(zoom->step())), step.wallMs);
        }
    }
    std::printf("  slowest step:              %8.3f ms\n", slowest);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    run(5);
    return 0;
}
