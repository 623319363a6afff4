// Linked into a program together with the printing code, this makes the printing commands
// those linked in, so that no module is loaded.
#include "printing/printing_commands.h"

namespace {

const bool linkedIn = [] {
    kreslix::setLinkedPrintingCommands(kreslix_printing_commands());
    return true;
}();

}  // namespace
