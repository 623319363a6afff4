// Opening large pictures: readPictureFile against Qt's BMP reader on an 8000 × 6000 24-bit BMP,
// and against libjpeg's own djpeg program on a 24-megapixel JPEG (the same library, so djpeg's
// time is the floor). The files are made here, in a temporary folder.
#include <benchmark/benchmark.h>

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

// The whole run of the djpeg process, decoding to PPM into /dev/null.
void JpegDjpegProcess(benchmark::State& state) {
    if (files().djpeg.isEmpty()) {
        state.SkipWithError("djpeg is not installed");
        return;
    }
    for (auto _ : state) {
        QProcess djpeg;
        djpeg.start(files().djpeg,
                    {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), files().jpeg});
        if (!djpeg.waitForFinished(60000) || djpeg.exitCode() != 0) {
            state.SkipWithError("djpeg failed");
            return;
        }
    }
}

BENCHMARK(BmpReadPictureFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BmpQImageReader)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(JpegReadPictureFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(JpegDjpegProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Keeps each benchmark's mean real time per iteration, to print the ratios at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

void printRatio(const RecordingReporter& reporter, const std::string& ours,
                const std::string& theirs, double aim) {
    const auto a = reporter.times.find(ours);
    const auto b = reporter.times.find(theirs);
    if (a == reporter.times.end() || b == reporter.times.end())
        return;
    const double ratio = a->second / b->second;
    std::printf("%s / %s = %.3f (aim at most %.2f)%s\n", ours.c_str(), theirs.c_str(), ratio, aim,
                ratio <= aim ? "" : "  MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    files();
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "BmpReadPictureFile", "BmpQImageReader", 0.5);
    printRatio(reporter, "JpegReadPictureFile", "JpegDjpegProcess", 1.1);
    benchmark::Shutdown();
    return 0;
}
