// How long the real program's window stops answering while it works with other programs or
// large files, watched as a window manager watches it: a _NET_WM_PING client message is sent to
// the main window every 20 ms and the program's event loop answers each one; the longest wait
// for an answer is the longest freeze. Runs on an Xvfb of its own, with xclip as the other
// program, and prints one row per case:
//   serving image/png and image/bmp of a 12- and a 48-Mpx picture to `xclip -o` right after
//   Copy; Cut after Copy (48 Mpx); a paste while the clipboard's owner never answers (a client
//   of this bench's own); a paste of a 48-Mpx PNG offered by xclip; Open of a 48-Mpx
//   progressive JPEG (made with cjpeg -progressive) through the file dialog.
// Usage: responsiveness_bench [PROGRAM [serve|cut|paste|hung|open]]
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdio>

#include "bench/photo_like.h"
#include "document/files/bmp_writer.h"
#include "picture_ops/clipboard_offer.h"
#include "picture_ops/png_strips.h"

// Last: it brings Xlib, whose macros clash with Qt's headers.
#include "bench/program_on_display.h"

namespace {

using bench::Clock;
using bench::msBetween;
using bench::Pinger;

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void report(const char* what, Pinger& pinger, double durationMs, const char* note = "") {
    const double gapMs = pinger.longest();
    std::printf("%-44s longest gap %7.0f ms  (%6.0f ms in all, %4ld pings answered)%s%s\n", what,
                gapMs, durationMs, pinger.answered(), gapMs <= 200 ? "" : "  > 200 ms", note);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Windows come and go while the bench looks at them: their errors are not the bench's.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const QString program =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KRESLIX_PROGRAM);
    for (const char* tool : {"Xvfb", "xclip", "cjpeg"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            std::printf("%s is not installed\n", tool);
            return 1;
        }
    }
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kreslix-bench-XXXXXX"));
    bench::ProgramOnDisplay bench;
    if (!folder.isValid() || !bench.startDisplay()) {
        std::printf("no display\n");
        return 1;
    }
    std::printf("preparing pictures...\n");
    std::fflush(stdout);
    const QString picture12 = folder.filePath(QStringLiteral("picture12.bmp"));
    const QString picture48 = folder.filePath(QStringLiteral("picture48.bmp"));
    const QString png48 = folder.filePath(QStringLiteral("picture48.png"));
    const QString ppm48 = folder.filePath(QStringLiteral("picture48.ppm"));
    const QString jpeg48 = folder.filePath(QStringLiteral("progressive48.jpg"));
    {
        const QImage small = bench::photoLike(4000, 3000);
        writeBytes(picture12, kreslix::bmpFileBytes(small));
        const QImage large = bench::photoLike(8000, 6000);
        writeBytes(picture48, kreslix::bmpFileBytes(large));
        writeBytes(png48, kreslix::encodePngInStrips(large));
        large.convertToFormat(QImage::Format_RGB888).save(ppm48, "PPM");
        QProcess cjpeg;
        cjpeg.setStandardOutputFile(jpeg48);
        cjpeg.start(QStringLiteral("cjpeg"), {"-progressive", "-quality", "90", ppm48});
        cjpeg.waitForFinished(300000);
        QFile::remove(ppm48);
    }

    // One case alone when asked for: serve, cut, paste, hung or open.
    const std::string only = argc > 2 ? argv[2] : "";
    auto wanted = [&](const char* name) { return only.empty() || only == name; };

    // Serving: Copy, then xclip asks at once, while the bytes may still be in the making.
    for (const auto& [name, path] :
         {std::pair{"12 Mpx", picture12}, std::pair{"48 Mpx", picture48}}) {
        const bool large = std::string(name) == "48 Mpx";
        if (!wanted("serve") && !(large && wanted("cut")))
            continue;
        if (!bench.startProgram(program, {path})) {
            std::printf("the program did not show its window\n");
            return 1;
        }
        for (const char* type : {kreslix::ClipboardOffer::kPng, kreslix::ClipboardOffer::kBmp}) {
            if (!wanted("serve"))
                break;
            const Window before = bench.clipboardOwner();
            bench.pinger().reset();
            const auto start = Clock::now();
            bench.key("c", true);
            bench.waitForOwnerChange(before, 20000);
            const qint64 bytes = bench.xclipRead(type);
            bench.settle(300);
            const std::string what = std::string("serve ") + type + " " + name + " to xclip";
            report(what.c_str(), bench.pinger(), msBetween(start, Clock::now()),
                   bytes > 0 ? "" : "  (xclip got nothing)");
            // Another program takes the clipboard, so that the next Copy is seen to arrive.
            QProcess text;
            bench.xclipOffer(text, "UTF8_STRING", path);
            text.kill();
            text.waitForFinished();
        }
        if (large && wanted("cut")) {
            bench.key("c", true);
            bench.settle(1500);
            bench.pinger().reset();
            const auto start = Clock::now();
            bench.key("x", true);
            bench.settle(300);
            report("Cut after Copy 48 Mpx", bench.pinger(), msBetween(start, Clock::now()));
        }
        bench.stopProgram();
    }

    // A 48-Mpx PNG pasted from xclip.
    if (wanted("paste")) {
        bench.startProgram(program, {});
        QProcess xclip;
        bench.xclipOffer(xclip, kreslix::ClipboardOffer::kPng, png48);
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.key("v", true);
        // Watched for 8 s at least, as the paste may go on while the window answers.
        bench.settle(8000);
        report("paste of a 48-Mpx PNG from xclip", bench.pinger(), msBetween(start, Clock::now()));
        xclip.kill();
        xclip.waitForFinished();
        bench.stopProgram();
    }

    // A paste while the clipboard's owner never answers.
    if (wanted("hung")) {
        bench.startProgram(program, {});
        bench::HungOwner owner(bench.display());
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.key("v", true);
        // Watched past the paste's time limit, until its message shows.
        const bool answering = bench.settle(6000, 20000);
        report("paste from an owner that never answers", bench.pinger(),
               msBetween(start, Clock::now()), answering ? "" : "  (still frozen after 20 s)");
        bench.stopProgram();
    }

    // Open of a 48-Mpx progressive JPEG through the file dialog.
    if (wanted("open")) {
        bench.startProgram(program, {});
        bench.key("o", true);
        QElapsedTimer timer;
        timer.start();
        Window dialog = 0;
        while (!dialog && timer.elapsed() < 20000) {
            QThread::msleep(100);
            // The dialog is the other top-level window with a name.
            dialog = bench.findWindow("", bench.window());
        }
        QThread::msleep(500);
        if (dialog)
            bench.focus(dialog);
        bench.type(jpeg48);
        bench.pinger().reset();
        const auto start = Clock::now();
        bench.tap("Return");
        timer.restart();
        while (bench.findWindow("Kreslix (32bit) - progressive48.jpg") == 0 &&
               timer.elapsed() < 120000)
            QThread::msleep(20);
        bench.settle(300);
        report("Open of a 48-Mpx progressive JPEG", bench.pinger(), msBetween(start, Clock::now()),
               timer.elapsed() < 120000 ? "" : "  (the picture never showed)");
        bench.stopProgram();
    }
    return 0;
}
