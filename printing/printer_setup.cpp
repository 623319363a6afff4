#include "printing/printer_setup.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "common/error.h"
#include "common/prompts.h"
#include "printing/current_printer.h"
#include "printing/job_options.h"
#include "printing/print_service.h"
#include "printing/print_service_watch.h"

namespace kreslix {
namespace {

// A printer object for the same printer with the same settings, those the program keeps:
// paper, orientation and the printer's own properties. The dialog changes this one, so that
// Cancel, or a refused OK, leaves the current printer as it was.
std::unique_ptr<QPrinter> copyOf(QPrinter& printer) {
    auto copy = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printer.printerName()),
                                           QPrinter::HighResolution);
    copy->setOutputFormat(printer.outputFormat());
    if (!printer.outputFileName().isEmpty())
        copy->setOutputFileName(printer.outputFileName());
    copy->setResolution(printer.resolution());
    copy->setPageLayout(printer.pageLayout());
    copy->setColorMode(printer.colorMode());
    setCupsOptions(*copy, cupsOptionsOf(printer));
    return copy;
}

}  // namespace

void NastavTlac(CurrentPrinter& current, Prompts& prompts) {
    // The dialog asks the print service through Qt, which would wait for it without a limit;
    // a first selection asks it anyway, and a printer writing a file of its own needs none.
    if (current.isSelected() && current.printer().outputFileName().isEmpty())
        checkPrintServiceAnswers();
    // A first selection finds the default printer, under its own check and watch.
    QPrinter& printer = current.printer();
    std::unique_ptr<QPrinter> choice;
    {
        // A service that answered the check may still fall silent while Qt asks it in turn.
        PrintServiceWatch watch;
        choice = copyOf(printer);
        watch.throwIfGaveUp();
    }
    if (!prompts.setUpPrinter(*choice))
        return;
    if (current.jobOpen())
        throw KreslixError(QStringLiteral("Printing in progress"));
    current.select(std::move(choice));
}

}  // namespace kreslix
