// Printing the main window's 628 × 456 client area to a PDF file through QPrinter at 1200 dpi
// (no print service needed), beside QWidget::grab of the same area alone. Prints the median
// times and their ratio, the peak memory a print adds, and the PDF's size against a PNG of the
// window image. Runs offscreen.
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/telo.h"
#include "printing/capture_form_image.h"
#include "printing/current_printer.h"
#include "printing/print_form_image.h"
#include "tests/support/scripted_prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr QSize kClientArea(628, 456);
constexpr int kDpi = 1200;
constexpr int kRuns = 30;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time of this program, all its threads together: other programs on a busy
// machine add nothing to it.
double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM).
long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

// Starts a new peak of the resident set at its present size.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(kDpi);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    return printer;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    kreslix::testing::ScriptedPrompts prompts;
    kreslix::THlavneOkno window(prompts);
    window.show();
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    window.resize(kClientArea + QSize(0, window.menuBar()->height()));
    QApplication::processEvents();
    QWidget& client = *window.centralWidget();
    if (client.size() != kClientArea) {
        std::fprintf(stderr, "client area is %d x %d, not %d x %d\n", client.width(),
                     client.height(), kClientArea.width(), kClientArea.height());
        return 1;
    }

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("window.pdf"));
    kreslix::CurrentPrinter current;
    current.select(pdfPrinter(pdf));

    // The first print, cold, for the peak memory it adds; then both timed in turns, so that
    // they see the same load on the machine.
    resetPeak();
    const long rssBefore = statusKilobytes("VmRSS");
    kreslix::PrintFormImage(current, client);
    const long firstPeakAdded = statusKilobytes("VmHWM") - rssBefore;
    long warmPeakAdded = 0;
    std::vector<double> printMs, grabMs, printCpuMs, grabCpuMs;
    for (int run = 0; run < kRuns; ++run) {
        Clock::time_point begin = Clock::now();
        double cpuBegin = processCpuMilliseconds();
        const QPixmap grabbed = client.grab();
        grabMs.push_back(millisecondsSince(begin));
        grabCpuMs.push_back(processCpuMilliseconds() - cpuBegin);

        resetPeak();
        const long rss = statusKilobytes("VmRSS");
        begin = Clock::now();
        cpuBegin = processCpuMilliseconds();
        kreslix::PrintFormImage(current, client);
        printMs.push_back(millisecondsSince(begin));
        printCpuMs.push_back(processCpuMilliseconds() - cpuBegin);
        warmPeakAdded = std::max(warmPeakAdded, statusKilobytes("VmHWM") - rss);
    }

    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    kreslix::CaptureFormImage(client).save(&pngBuffer, "PNG");
    const qint64 pdfBytes = QFile(pdf).size();

    std::printf("window client area %d x %d printed to PDF at %d dpi, %d runs\n",
                kClientArea.width(), kClientArea.height(), kDpi, kRuns);
    std::printf("                                          elapsed   process CPU\n");
    std::printf("  print (capture + PDF written), median:  %8.3f ms %8.3f ms\n", median(printMs),
                median(printCpuMs));
    std::printf("  QWidget::grab of the area, median:      %8.3f ms %8.3f ms\n", median(grabMs),
                median(grabCpuMs));
    std::printf("  ratio of the medians (aim <= 10):       %8.2f    %8.2f\n",
                median(printMs) / median(grabMs), median(printCpuMs) / median(grabCpuMs));
    std::printf("  peak memory added, first print:         %8.1f MB (aim < 20)\n",
                firstPeakAdded / 1024.0);
    std::printf("  peak memory added, later prints (max):  %8.1f MB (aim < 20)\n",
                warmPeakAdded / 1024.0);
    std::printf("  PDF file:                               %8lld bytes\n",
                static_cast<long long>(pdfBytes));
    std::printf("  PNG of the window image:                %8lld bytes\n",
                static_cast<long long>(png.size()));
    std::printf("  PDF / PNG:                              %8.2f   (aim <= 2)\n",
                double(pdfBytes) / double(png.size()));
    return 0;
}
