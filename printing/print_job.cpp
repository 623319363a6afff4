#include "printing/print_job.h"

#include <QBuffer>
#include <QFile>
#include <QPrinter>
#include <QScopeGuard>

#include "common/error.h"
#include "printing/current_printer.h"
#include "printing/job_options.h"
#include "printing/print_service.h"

namespace kreslix {
namespace {

QPrinter& printerFreeForJob(CurrentPrinter& current) {
    if (current.jobOpen())
        throw KreslixError(QStringLiteral("Printing in progress"));
    return current.printer();
}

// Whether the printer writes a PDF file of its own rather than printing through the service.
bool writesFile(const QPrinter& printer) {
    return !printer.outputFileName().isEmpty();
}

// Where the document goes as it is drawn: the printer's own file, or memory until it is sent.
std::unique_ptr<QIODevice> openOutput(const QPrinter& printer) {
    if (writesFile(printer)) {
        auto file = std::make_unique<QFile>(printer.outputFileName());
        if (!file->open(QIODevice::WriteOnly))
            throw KreslixError(QStringLiteral("Printer selected is not valid"));
        return file;
    }
    auto memory = std::make_unique<QBuffer>();
    memory->open(QIODevice::WriteOnly);
    return memory;
}

// The printer's paper and orientation. A printer of the print service draws from the corner of
// its printable area, as far up and left as it can print, whatever margins were set.
QPageLayout pageLayoutOf(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    if (!writesFile(printer))
        layout.setMargins(layout.minimumMargins());
    return layout;
}

}  // namespace

PrintJob::PrintJob(CurrentPrinter& current)
    : current_(current), printer_(printerFreeForJob(current)), output_(openOutput(printer_)) {
    writer_ = std::make_unique<QPdfWriter>(output_.get());
    writer_->setResolution(printer_.resolution());
    writer_->setPageLayout(pageLayoutOf(printer_));
    if (!painter_.begin(writer_.get()))
        throw KreslixError(QStringLiteral("Printer selected is not valid"));
    current_.jobOpen_ = true;
}

PrintJob::~PrintJob() {
    if (!ended_)
        endDocument();
    current_.jobOpen_ = false;
}

void PrintJob::endDocument() {
    ended_ = true;
    painter_.end();
    output_->close();
}

void PrintJob::finish() {
    endDocument();
    // The job stays open while it is sent, so that a print started meanwhile is refused.
    const auto closeJob = qScopeGuard([this] { current_.jobOpen_ = false; });
    if (auto* file = qobject_cast<QFile*>(output_.get())) {
        if (file->error() != QFileDevice::NoError)
            throw KreslixError(file->fileName() + QStringLiteral(": ") + file->errorString());
        return;
    }
    sendToPrintService(printer_.printerName(), static_cast<QBuffer&>(*output_).data(),
                       jobOptions(printer_));
}

}  // namespace kreslix
