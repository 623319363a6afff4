#pragma once

class QPrinter;
class QWidget;

namespace kreslix {

// Qt's own print dialog used for printer setup, owned by `owner`: the installed printers to
// choose from, with paper size and orientation under its printer properties. OK writes the
// choice into `printer` and returns true; Cancel returns false and leaves it untouched.
bool runPrinterSetupDialog(QPrinter& printer, QWidget* owner);

}  // namespace kreslix
