// The entry point of the printing module: the commands over the program's current printer.
#include "printing/current_printer.h"
#include "printing/print_form_image.h"
#include "printing/printer_setup.h"
#include "printing/printer_setup_dialog.h"
#include "printing/printing_commands.h"

namespace {

void printFormImage(QWidget& clientArea) {
    kreslix::PrintFormImage(kreslix::CurrentPrinter::process(), clientArea);
}

void setUpPrinter(kreslix::Prompts& prompts) {
    kreslix::NastavTlac(kreslix::CurrentPrinter::process(), prompts);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const kreslix::PrintingCommands*
kreslix_printing_commands() {
    static const kreslix::PrintingCommands commands{printFormImage, setUpPrinter,
                                                    kreslix::runPrinterSetupDialog};
    return &commands;
}
