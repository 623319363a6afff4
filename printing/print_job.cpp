#include "printing/print_job.h"

#include <QPrinter>

#include "common/error.h"
#include "printing/cups_status.h"
#include "printing/current_printer.h"

namespace kreslix {
namespace {

QPrinter& printerFreeForJob(CurrentPrinter& current) {
    if (current.jobOpen())
        throw KreslixError(QStringLiteral("Printing in progress"));
    return current.printer();
}

// Whether ending the document hands it to CUPS, rather than writing a file of our choosing.
bool sentToPrintService(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

}  // namespace

PrintJob::PrintJob(CurrentPrinter& current)
    : current_(current), printer_(printerFreeForJob(current)) {
    printer_.setDocName(QString());
    if (!painter_.begin(&printer_))
        throw KreslixError(QStringLiteral("Printer selected is not valid"));
    current_.jobOpen_ = true;
}

PrintJob::~PrintJob() {
    if (!ended_)
        end();
}

void PrintJob::end() {
    ended_ = true;
    painter_.end();
    current_.jobOpen_ = false;
}

void PrintJob::finish() {
    end();
    // Qt hands the document to CUPS as the painter ends and keeps no word of a refusal; CUPS
    // keeps the answer to this thread's last request.
    if (sentToPrintService(printer_)) {
        const CupsStatus status = lastCupsStatus();
        if (status.failed())
            throw KreslixError(status.message());
    }
}

}  // namespace kreslix
