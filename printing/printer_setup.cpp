#include "printing/printer_setup.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "common/error.h"
#include "common/prompts.h"
#include "printing/current_printer.h"

namespace kreslix {
namespace {

// A printer object for the same printer with the same settings: the dialog changes this one,
// so that Cancel, or a refused OK, leaves the current printer as it was.
std::unique_ptr<QPrinter> copyOf(QPrinter& printer) {
    auto copy = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printer.printerName()),
                                           QPrinter::HighResolution);
    copy->setOutputFormat(printer.outputFormat());
    if (!printer.outputFileName().isEmpty())
        copy->setOutputFileName(printer.outputFileName());
    copy->setResolution(printer.resolution());
    copy->setPageLayout(printer.pageLayout());
    copy->setFullPage(printer.fullPage());
    copy->setColorMode(printer.colorMode());
    copy->setDuplex(printer.duplex());
    copy->setCopyCount(printer.copyCount());
    copy->setCollateCopies(printer.collateCopies());
    copy->setPageOrder(printer.pageOrder());
    return copy;
}

}  // namespace

void NastavTlac(CurrentPrinter& current, Prompts& prompts) {
    std::unique_ptr<QPrinter> choice = copyOf(current.printer());
    if (!prompts.setUpPrinter(*choice))
        return;
    if (current.jobOpen())
        throw KreslixError(QStringLiteral("Printing in progress"));
    current.select(std::move(choice));
}

}  // namespace kreslix
