// Writing an 8000 × 6000 picture with writePicture beside Qt's BMP writer and beside one bare
// write() of the same number of bytes into the same folder; reading the file back with readBmp
// beside Qt's BMP reader.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <random>
#include <vector>

#include "document/files/bmp_reader.h"
#include "document/files/bmp_writer.h"

namespace {

constexpr int kWidth = 8000;
constexpr int kHeight = 6000;
constexpr qint64 kFileBytes = 54 + qint64(kWidth) * 3 * kHeight;

// The folder of every file of this program: the current one.
QTemporaryDir& benchFolder() {
    static QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/bmp_bench_XXXXXX"));
    return folder;
}

QString benchFile(const char* name) {
    return benchFolder().filePath(QString::fromUtf8(name));
}

const QImage& benchImage() {
    static const QImage image = [] {
        QImage made(kWidth, kHeight, QImage::Format_RGB32);
        std::mt19937 random(7);
        for (int y = 0; y < kHeight; ++y) {
            auto* row = reinterpret_cast<QRgb*>(made.scanLine(y));
            for (int x = 0; x < kWidth; ++x)
                row[x] = random() | 0xFF000000u;
        }
        return made;
    }();
    return image;
}

void writePictureBench(benchmark::State& state) {
    const kreslix::Picture picture{benchImage(), nullptr};
    for (auto _ : state)
        kreslix::writePicture(benchFile("ours.bmp"), picture);
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void qtWriterBench(benchmark::State& state) {
    for (auto _ : state) {
        QImageWriter writer(benchFile("qt.bmp"), "bmp");
        if (!writer.write(benchImage()))
            state.SkipWithError("QImageWriter failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

// One write() of the file's size; with_sync adds the fsync that a safe replace performs.
void bareWriteBench(benchmark::State& state) {
    const std::vector<char> bytes(size_t(kFileBytes), 'x');
    const QByteArray name = QFile::encodeName(benchFile("bare.bmp"));
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, bytes.data(), bytes.size()) != qint64(bytes.size())) {
            state.SkipWithError("write failed");
        }
        if (state.range(0) != 0)
            ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void readBmpBench(benchmark::State& state) {
    kreslix::writePicture(benchFile("read.bmp"), kreslix::Picture{benchImage(), nullptr});
    for (auto _ : state)
        benchmark::DoNotOptimize(kreslix::readBmp(benchFile("read.bmp")));
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void qtReaderBench(benchmark::State& state) {
    kreslix::writePicture(benchFile("read.bmp"), kreslix::Picture{benchImage(), nullptr});
    QImageReader::setAllocationLimit(0);  // the picture is larger than Qt's default limit
    for (auto _ : state) {
        QImageReader reader(benchFile("read.bmp"), "bmp");
        if (reader.read().isNull())
            state.SkipWithError("QImageReader failed");
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

}  // namespace

BENCHMARK(writePictureBench)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(qtWriterBench)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(bareWriteBench)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(readBmpBench)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(qtReaderBench)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
