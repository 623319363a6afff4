// Our rasteriser against QPainter on the same 8000 x 6000 RGB32 picture, figure by figure.
// After the runs, one summary line per figure gives both times and their ratio.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <string>

#include "canvas/canvas.h"
#include "canvas/parallel_paint.h"

namespace {

using kreslix::Canvas;
using kreslix::Colour;

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;
constexpr Colour kColours[2] = {0x00204080, 0x00C0A060};

QImage& picture() {
    static QImage image = [] {
        QImage i(kWidth, kHeight, QImage::Format_RGB32);
        i.fill(Qt::white);
        return i;
    }();
    return image;
}

QColor qtColour(Colour c) {
    return QColor::fromRgb(kreslix::toPixel(c));
}

// One figure drawn by both rasterisers. Copy-mode figures alternate two colours so that every
// run really changes the pixels.
struct Figure {
    std::function<void(Canvas&)> ours;
    std::function<void(QPainter&)> painter;
    int penWidth;
    bool notXor;
};

void runOurs(benchmark::State& state, const Figure& f) {
    Canvas canvas(&picture());
    canvas.pen().setWidth(f.penWidth);
    if (f.notXor)
        canvas.pen().setMode(kreslix::pmNotXor);
    int run = 0;
    for (auto _ : state) {
        canvas.pen().setColour(kColours[run % 2]);
        canvas.brush().setColour(kColours[(run + 1) % 2]);
        ++run;
        f.ours(canvas);
        benchmark::ClobberMemory();
    }
}

// The same on this thread alone, to show what the worker pool adds.
void runOursAlone(benchmark::State& state, const Figure& f) {
    const kreslix::Int64 threshold = kreslix::parallelThreshold();
    kreslix::setParallelThreshold(std::numeric_limits<kreslix::Int64>::max());
    runOurs(state, f);
    kreslix::setParallelThreshold(threshold);
}

void runQPainter(benchmark::State& state, const Figure& f) {
    QPainter painter(&picture());
    if (f.notXor)
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    int run = 0;
    for (auto _ : state) {
        QPen pen(qtColour(kColours[run % 2]), f.penWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(qtColour(kColours[(run + 1) % 2]));
        ++run;
        f.painter(painter);
        benchmark::ClobberMemory();
    }
}

const std::map<std::string, Figure>& figures() {
    static const std::map<std::string, Figure> all = {
        {"NotXorFilledRectangle",
         {[](Canvas& c) { c.Rectangle(0, 0, kWidth, kHeight); },
          [](QPainter& p) { p.drawRect(0, 0, kWidth - 1, kHeight - 1); }, 1, true}},
        {"DiagonalLine",
         {[](Canvas& c) {
              c.MoveTo(0, 0);
              c.LineTo(kWidth - 1, kHeight - 1);
          },
          [](QPainter& p) { p.drawLine(0, 0, kWidth - 1, kHeight - 1); }, 1, false}},
        {"WideLine",
         {[](Canvas& c) {
              c.MoveTo(100, 100);
              c.LineTo(kWidth - 100, kHeight - 100);
          },
          [](QPainter& p) { p.drawLine(100, 100, kWidth - 100, kHeight - 100); }, 20, false}},
        {"FilledEllipse",
         {[](Canvas& c) { c.Ellipse(0, 0, kWidth, kHeight); },
          [](QPainter& p) { p.drawEllipse(0, 0, kWidth - 1, kHeight - 1); }, 1, false}},
        {"RoundedRectangle",
         {[](Canvas& c) { c.RoundRect(0, 0, kWidth, kHeight, 800, 600); },
          [](QPainter& p) { p.drawRoundedRect(QRect(0, 0, kWidth - 1, kHeight - 1), 400, 300); }, 1,
          false}},
    };
    return all;
}

// Keeps each benchmark's best wall-clock time per run (in milliseconds) so the summary can set
// them side by side: the best of several repetitions, or the median when only aggregates are
// reported.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.function_name;
            const double ms = run.GetAdjustedRealTime();
            const auto known = milliseconds_.find(name);
            if (known == milliseconds_.end() || ms < known->second)
                milliseconds_[name] = ms;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printSummary() const {
        std::printf("\n%-24s %12s %12s %12s %8s\n", "figure", "ours ms", "alone ms", "QPainter ms",
                    "ratio");
        for (const auto& [name, figure] : figures()) {
            const auto ours = milliseconds_.find("Ours/" + name);
            const auto alone = milliseconds_.find("OursAlone/" + name);
            const auto theirs = milliseconds_.find("QPainter/" + name);
            if (ours == milliseconds_.end() || theirs == milliseconds_.end())
                continue;
            std::printf("%-24s %12.3f %12.3f %12.3f %8.2f\n", name.c_str(), ours->second,
                        alone == milliseconds_.end() ? 0.0 : alone->second, theirs->second,
                        ours->second / theirs->second);
        }
    }

private:
    std::map<std::string, double> milliseconds_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const auto& [name, figure] : figures()) {
        benchmark::RegisterBenchmark(("Ours/" + name).c_str(), runOurs, figure)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("OursAlone/" + name).c_str(), runOursAlone, figure)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("QPainter/" + name).c_str(), runQPainter, figure)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
