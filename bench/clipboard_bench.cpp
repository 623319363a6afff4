// What another program waits for after Copy, one run each, side by side, on an 8000 × 6000
// photo-like picture (smooth colour fields with sensor-like noise; a drawing with flat areas is
// much cheaper): the PNG as the clipboard makes it, from Copy until its bytes are ready,
// beside Qt's PNG writer on the same picture; the BMP beside Qt's BMP writer. Every result is
// decoded again and compared with the picture, so a fast but wrong encoder shows as a failure.
// Usage: clipboard_bench [width height]

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "bench/photo_like.h"
#include "picture_ops/clipboard_image.h"
#include "picture_ops/clipboard_offer.h"

namespace {

bool sameImage(const QByteArray& bytes, const QImage& picture) {
    return QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32) == picture;
}

QByteArray qtWriter(const QImage& picture, const char* format, double* seconds) {
    QElapsedTimer timer;
    timer.start();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    *seconds = timer.nsecsElapsed() / 1e9;
    return bytes;
}

// Copy until the clipboard's bytes of `type` are ready, the event loop running meanwhile.
// `cpuSeconds` is the processor time the whole process took meanwhile: on a busy machine, where
// the wall time stretches, it tells what the encoding itself costs.
QByteArray fromCopy(const QImage& picture, const char* type, double* seconds, double* cpuSeconds) {
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    kreslix::publishClipboardImage(picture);
    const QMimeData* content = QGuiApplication::clipboard()->mimeData();
    const auto* offer = kreslix::ClipboardOffer::of(content);
    if (!offer) {
        std::printf("the clipboard holds no offer of ours\n");
        return {};
    }
    QEventLoop loop;
    QObject::connect(offer, &kreslix::ClipboardOffer::bytesReady, &loop, [&] {
        if (offer->prepared(QLatin1String(type)))
            loop.quit();
    });
    if (!offer->prepared(QLatin1String(type)))
        loop.exec();
    *seconds = timer.nsecsElapsed() / 1e9;
    *cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return content->data(QLatin1String(type));
}

void row(const char* what, double ours, double cpu, double qt, qsizetype ourBytes,
         qsizetype qtBytes, bool ok) {
    std::printf(
        "%-4s ready after Copy %7.3f s (processor %6.3f s, %6.1f MB)   Qt's writer %7.3f s "
        "(%6.1f MB)   ratio %.3f   %s\n",
        what, ours, cpu, ourBytes / 1e6, qt, qtBytes / 1e6, ours / qt,
        ok ? "read back equal" : "READ BACK DIFFERS");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QImageReader::setAllocationLimit(0);  // reading back a 48-Mpx picture passes Qt's 128 MB
    const int width = argc > 2 ? std::atoi(argv[1]) : 8000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 6000;
    const QImage picture = bench::photoLike(width, height);
    std::printf("%d x %d photo-like picture (%.1f Mpx)\n", width, height,
                width * double(height) / 1e6);

    double ours = 0, cpu = 0, qt = 0;
    const QByteArray png = fromCopy(picture, kreslix::ClipboardOffer::kPng, &ours, &cpu);
    const QByteArray qtPng = qtWriter(picture, "PNG", &qt);
    const bool pngOk = sameImage(png, picture) && sameImage(qtPng, picture);
    row("PNG", ours, cpu, qt, png.size(), qtPng.size(), pngOk);
    std::printf("     aims: ready <= 1.0 s %s, <= 0.25 x Qt's writer %s\n",
                ours <= 1.0 ? "met" : "MISSED", ours <= 0.25 * qt ? "met" : "MISSED");

    const QByteArray bmp = fromCopy(picture, kreslix::ClipboardOffer::kBmp, &ours, &cpu);
    const QByteArray qtBmp = qtWriter(picture, "BMP", &qt);
    row("BMP", ours, cpu, qt, bmp.size(), qtBmp.size(),
        sameImage(bmp, picture) && sameImage(qtBmp, picture));
    return pngOk ? 0 : 1;
}
