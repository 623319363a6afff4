#pragma once

#include <memory>

class QPrinter;

namespace kreslix {

// The system's default printer, as CUPS names it, ready to print at its own resolution with its
// default settings, its drawing area the printable area of the paper. Throws "There is no
// default printer currently selected" when no printer is installed, none is the default or the
// print service can't be reached, that the service does not answer when it keeps silent past
// the limit (asked first, so that Qt's print support does not wait for it for minutes), and a
// CUPS error when the service answers with a failure.
std::unique_ptr<QPrinter> systemDefaultPrinter();

}  // namespace kreslix
