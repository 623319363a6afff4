// Opening large pictures: readPictureFile against Qt's BMP reader on an 8000 × 6000 24-bit BMP,
// and against libjpeg's own djpeg program on a 24-megapixel JPEG (the same library, so djpeg's
// time is the floor). The files are made here, in a temporary folder.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "document/files/picture_file.h"

namespace {

// A picture with smooth gradients, hard edges and noise, so that neither format is trivial.
QImage makeTestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 24);
            line[x] = qRgb((x * 255 / width + noise) & 0xFF, (y * 255 / height + noise) & 0xFF,
                           ((x / 64 ^ y / 64) & 1) ? 200 - noise : 40 + noise);
        }
    }
    return image;
}

struct BenchFiles {
    QTemporaryDir folder;
    QString bmp = folder.filePath(QStringLiteral("velky.bmp"));
    QString jpeg = folder.filePath(QStringLiteral("velky.jpg"));
    QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));

    BenchFiles() {
        QImageWriter bmpWriter(bmp, "bmp");  // Qt writes RGB32 pictures as 24-bit BMP
        if (!bmpWriter.write(makeTestPicture(8000, 6000)))
            std::abort();
        QImageWriter jpegWriter(jpeg, "jpeg");
        jpegWriter.setQuality(90);
        if (!jpegWriter.write(makeTestPicture(6000, 4000)))
            std::abort();
    }
};

BenchFiles& files() {
    static BenchFiles instance;
    return instance;
}

void readWithKreslix(benchmark::State& state, const QString& path) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kreslix::readPictureFile(path));
}

void BmpReadPictureFile(benchmark::State& state) {
    readWithKreslix(state, files().bmp);
}

void BmpQImageReader(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(files().bmp);
        benchmark::DoNotOptimize(reader.read());
    }
}

void JpegReadPictureFile(benchmark::State& state) {
    readWithKreslix(state, files().jpeg);
}

// Processor time used by finished child processes, user and system, in seconds.
double childProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The whole run of the djpeg process, decoding to PPM into /dev/null. Its processor time is
// counted as child_cpu, since the CPU column shows only this process's own.
void JpegDjpegProcess(benchmark::State& state) {
    if (files().djpeg.isEmpty()) {
        state.SkipWithError("djpeg is not installed");
        return;
    }
    const double processorBefore = childProcessorSeconds();
    for (auto _ : state) {
        QProcess djpeg;
        djpeg.start(files().djpeg,
                    {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), files().jpeg});
        if (!djpeg.waitForFinished(60000) || djpeg.exitCode() != 0) {
            state.SkipWithError("djpeg failed");
            return;
        }
    }
    state.counters["child_cpu"] = benchmark::Counter(childProcessorSeconds() - processorBefore,
                                                     benchmark::Counter::kAvgIterations);
}

BENCHMARK(BmpReadPictureFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BmpQImageReader)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(JpegReadPictureFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(JpegDjpegProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

struct Measured {
    double realMs = 0;
    double processorMs = 0;  // of this process, or of the child process where it ran one
};

// Keeps each benchmark's mean times per iteration, to print the ratios at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions, the median stands for a benchmark; the other summaries don't.
            if (run.error_occurred ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
                continue;
            Measured& measured = times[run.run_name.function_name];
            measured.realMs = run.GetAdjustedRealTime();
            const auto child = run.counters.find("child_cpu");
            measured.processorMs =
                child != run.counters.end() ? child->second.value * 1e3 : run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Measured> times;
};

void printRatio(const RecordingReporter& reporter, const std::string& ours,
                const std::string& theirs, double aim) {
    const auto a = reporter.times.find(ours);
    const auto b = reporter.times.find(theirs);
    if (a == reporter.times.end() || b == reporter.times.end())
        return;
    const Measured& x = a->second;
    const Measured& y = b->second;
    std::printf(
        "%s / %s: real %.0f / %.0f ms = %.3f, processor %.0f / %.0f ms = %.3f "
        "(aim at most %.2f)\n",
        ours.c_str(), theirs.c_str(), x.realMs, y.realMs, x.realMs / y.realMs, x.processorMs,
        y.processorMs, x.processorMs / y.processorMs, aim);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QImageReader::setAllocationLimit(0);  // Qt refuses pictures over 128 MB by default
    benchmark::Initialize(&argc, argv);
    files();
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "BmpReadPictureFile", "BmpQImageReader", 0.5);
    printRatio(reporter, "JpegReadPictureFile", "JpegDjpegProcess", 1.1);
    benchmark::Shutdown();
    return 0;
}
