#pragma once

class QPrinter;
class QWidget;

namespace kreslix {

class Prompts;

// The printing commands as the main window calls them. They need the print system's
// libraries (Qt's print support and CUPS, with its encryption and network libraries), whose
// loading added about a tenth to every start; so they live in a module of their own, loaded at
// the first print or printer setup of a run.
struct PrintingCommands {
    // `PrintFormImage` on the program's current printer.
    void (*printFormImage)(QWidget& clientArea);
    // `NastavTlac` on the program's current printer.
    void (*setUpPrinter)(Prompts& prompts);
    // The printer-setup dialog that `Prompts::setUpPrinter` shows.
    bool (*runSetupDialog)(QPrinter& printer, QWidget* owner);
};

// The printing commands: linked into this program (see setLinkedPrintingCommands), or else
// from the printing module, loaded at the first call and kept for the run. Throws KreslixError
// when the module cannot be loaded; the next call tries again.
const PrintingCommands& printingCommands();

// Makes `commands` the printing commands instead of the module's: for programs that link the
// printing code in, such as tests.
void setLinkedPrintingCommands(const PrintingCommands* commands);

}  // namespace kreslix

// The one entry point of the printing module.
extern "C" const kreslix::PrintingCommands* kreslix_printing_commands();
