#include "printing/job_options.h"

#include <QPrintEngine>
#include <QPrinter>
#include <algorithm>
#include <iterator>

namespace kreslix {
namespace {

// Where Qt's CUPS print engine keeps the options of its jobs (Qt's own, unpublished key).
const auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Options a print sets itself or leaves to the service's defaults, never taken from the printer
// object: those that decide the paper, how many pages and copies come out and how they are laid
// out, when the job prints and what banner pages it gets. CUPS names, and the printer-driver
// keywords of the same settings.
constexpr const char* kSetHere[] = {
    "media",      "PageSize",         "PageRegion",     "landscape",    "orientation-requested",
    "copies",     "Copies",           "collate",        "Collate",      "sides",
    "Duplex",     "page-ranges",      "page-set",       "outputorder",  "OutputOrder",
    "number-up",  "number-up-layout", "job-hold-until", "job-priority", "job-billing",
    "job-sheets",
};

bool setHere(const QString& name) {
    return std::any_of(std::begin(kSetHere), std::end(kSetHere),
                       [&](const char* own) { return name == QLatin1String(own); });
}

}  // namespace

QStringList cupsOptionsOf(const QPrinter& printer) {
    return printer.printEngine()->property(kCupsOptionsKey).toStringList();
}

void setCupsOptions(QPrinter& printer, const QStringList& options) {
    printer.printEngine()->setProperty(kCupsOptionsKey, options);
}

JobOptions jobOptions(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    JobOptions options = {{"media", layout.pageSize().key().toUtf8()},
                          {"copies", "1"},
                          {"sides", "one-sided"},
                          {"number-up", "1"}};
    // As Qt's own print engine asks for it: the page is drawn in landscape already.
    if (layout.orientation() == QPageLayout::Landscape)
        options.emplace_back("landscape", "");
    const QStringList own = cupsOptionsOf(printer);
    for (qsizetype i = 0; i + 1 < own.size(); i += 2) {
        if (!setHere(own[i]))
            options.emplace_back(own[i].toUtf8(), own[i + 1].toUtf8());
    }
    return options;
}

}  // namespace kreslix
