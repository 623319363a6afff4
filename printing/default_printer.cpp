#include "printing/default_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "common/error.h"
#include "printing/cups_status.h"
#include "printing/print_service.h"
#include "printing/print_service_watch.h"

namespace kreslix {

std::unique_ptr<QPrinter> systemDefaultPrinter() {
    // Without a print service there is no printer to be had, as the user sees it.
    try {
        checkPrintServiceAnswers();
    } catch (const PrintServiceNotRunning&) {
        throw KreslixError(QStringLiteral("There is no default printer currently selected"));
    }
    // A service that answered the check may still fall silent while Qt asks it in turn.
    PrintServiceWatch watch;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    watch.throwIfGaveUp();
    if (info.isNull()) {
        // No printers, none marked default, or no print service to ask: for the user alike,
        // there is no printer. A service that answered with a failure is reported as such.
        const CupsStatus status = lastCupsStatus();
        if (status.failed() && !status.meansNoPrinter())
            throw KreslixError(status.message());
        throw KreslixError(QStringLiteral("There is no default printer currently selected"));
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    watch.throwIfGaveUp();
    // Qt keeps a margin of its own inside the paper; the page is drawn from the printer's own
    // printable area instead, as far up and left as the printer can print.
    QPageLayout layout = printer->pageLayout();
    layout.setMargins(layout.minimumMargins());
    printer->setPageLayout(layout);
    return printer;
}

}  // namespace kreslix
