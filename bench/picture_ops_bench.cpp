// The picture operations on an 8000 x 6000 picture, each beside the plain memory work that
// bounds it: the flips beside an in-place row swap through one row buffer (and the flip about
// the horizontal axis beside QImage::mirrored), Cut beside one memcpy plus one memset of the
// picture's bytes and beside making a new white picture, and Paste from our own clipboard
// beside one memcpy. The clipboard is Qt's
// own, offscreen. After the runs, one line per pair gives the median times and their ratio.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "document/document_state.h"
#include "picture_ops/clipboard_commands.h"
#include "picture_ops/clipboard_image.h"
#include "picture_ops/flips.h"
#include "tests/support/scripted_prompts.h"

namespace {

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;
constexpr qsizetype kBytes = qsizetype(kWidth) * kHeight * 4;

// A picture whose every row differs, so a paste or a whitening really writes each pixel.
QImage patterned(unsigned seed) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = 0xFF000000u |
                     ((unsigned(x) * 2654435761u + unsigned(y) * 40503u + seed) & 0x00FFFFFFu);
    }
    return image;
}

kreslix::DocumentState& document() {
    static kreslix::DocumentState* state = [] {
        auto* d = new kreslix::DocumentState;
        d->replacePicture({patterned(1), nullptr});
        return d;
    }();
    return *state;
}

void FlipAboutHorizontalAxis(benchmark::State& state) {
    QImage& picture = document().image();
    for (auto _ : state) {
        kreslix::flipAboutHorizontalAxis(picture);
        benchmark::ClobberMemory();
    }
}

void FlipAboutVerticalAxis(benchmark::State& state) {
    QImage& picture = document().image();
    for (auto _ : state) {
        kreslix::flipAboutVerticalAxis(picture);
        benchmark::ClobberMemory();
    }
}

// The limit of any in-place flip: every row pair swapped with memcpy through one row buffer.
void RowSwapMemcpy(benchmark::State& state) {
    QImage& picture = document().image();
    std::vector<uchar> buffer(std::size_t(kWidth) * 4);
    for (auto _ : state) {
        uchar* bits = picture.bits();
        const qsizetype stride = picture.bytesPerLine();
        for (int r = 0; r < kHeight / 2; ++r) {
            uchar* a = bits + r * stride;
            uchar* b = bits + (kHeight - 1 - r) * stride;
            std::memcpy(buffer.data(), a, buffer.size());
            std::memcpy(a, b, buffer.size());
            std::memcpy(b, buffer.data(), buffer.size());
        }
        benchmark::ClobberMemory();
    }
}

void QImageMirrored(benchmark::State& state) {
    const QImage& picture = document().image();
    for (auto _ : state) {
        QImage mirrored = picture.mirrored(false, true);
        benchmark::DoNotOptimize(mirrored.constBits());
    }
}

// Each Cut starts from the same picture, not white; being the document's picture as well, its
// pixels are shared, as they are with the clipboard after a Copy.
void Cut(benchmark::State& state) {
    const QImage original = patterned(2);
    kreslix::testing::ScriptedPrompts prompts;
    for (auto _ : state) {
        state.PauseTiming();
        document().replacePicture({original, nullptr});
        state.ResumeTiming();
        kreslix::Cut1Click(document(), prompts);
        benchmark::ClobberMemory();
    }
}

void MemcpyAndMemset(benchmark::State& state) {
    const QImage source = patterned(3);
    std::vector<uchar> copy(std::size_t(kBytes), 0);
    std::vector<uchar> picture(source.constBits(), source.constBits() + kBytes);
    for (auto _ : state) {
        std::memcpy(copy.data(), picture.data(), copy.size());
        std::memset(picture.data(), 0xFF, picture.size());
        benchmark::ClobberMemory();
    }
}

// The least a Cut must do: the clipboard keeps the old pixels, so the white picture needs
// memory of its own, which the kernel hands out page by page as it is first written.
void NewWhitePicture(benchmark::State& state) {
    for (auto _ : state) {
        QImage white(kWidth, kHeight, QImage::Format_RGB32);
        white.fill(Qt::white);
        benchmark::DoNotOptimize(white.constBits());
    }
}

// The clipboard holds one picture and the document alternates between two others, so every
// paste changes every pixel.
void Paste(benchmark::State& state) {
    kreslix::publishClipboardImage(patterned(4));
    const QImage backgrounds[2] = {patterned(5), patterned(6)};
    kreslix::testing::ScriptedPrompts prompts;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(document().image().bits(), backgrounds[run++ % 2].constBits(), kBytes);
        state.ResumeTiming();
        kreslix::Paste1Click(document(), prompts);
        benchmark::ClobberMemory();
    }
    if (!prompts.log.isEmpty())
        state.SkipWithError("the paste did not find the picture on the clipboard");
}

void Memcpy(benchmark::State& state) {
    const QImage source = patterned(7);
    std::vector<uchar> target(std::size_t(kBytes), 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.constBits(), target.size());
        benchmark::ClobberMemory();
    }
}

#define PICTURE_OPS_BENCHMARK(name) \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)
PICTURE_OPS_BENCHMARK(FlipAboutHorizontalAxis);
PICTURE_OPS_BENCHMARK(FlipAboutVerticalAxis);
PICTURE_OPS_BENCHMARK(RowSwapMemcpy);
PICTURE_OPS_BENCHMARK(QImageMirrored);
PICTURE_OPS_BENCHMARK(Cut);
PICTURE_OPS_BENCHMARK(MemcpyAndMemset);
PICTURE_OPS_BENCHMARK(NewWhitePicture);
PICTURE_OPS_BENCHMARK(Paste);
PICTURE_OPS_BENCHMARK(Memcpy);

// The median wall-clock time of each benchmark over its repetitions (the aggregates are
// reported after the runs they sum up), or its only run without repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!run.error_occurred && (median || run.run_type == Run::RT_Iteration))
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char* ours, const char* limit, const char* aim) const {
        const auto a = medians_.find(ours);
        const auto b = medians_.find(limit);
        if (a == medians_.end() || b == medians_.end())
            return;
        std::printf("%-24s %9.2f ms  /  %-16s %9.2f ms  =  %5.2f   (aim %s)\n", ours, a->second,
                    limit, b->second, a->second / b->second, aim);
    }

private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("FlipAboutHorizontalAxis", "RowSwapMemcpy", "at most 1.2");
    reporter.printRatio("QImageMirrored", "FlipAboutHorizontalAxis", "at least 5");
    reporter.printRatio("FlipAboutVerticalAxis", "RowSwapMemcpy", "at most 1.5");
    reporter.printRatio("Cut", "MemcpyAndMemset", "at most 1.5");
    reporter.printRatio("Cut", "NewWhitePicture", "about 1");
    reporter.printRatio("Paste", "Memcpy", "at most 1.5");
    benchmark::Shutdown();
    return 0;
}
