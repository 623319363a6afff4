#include "printing/current_printer.h"

#include <QCoreApplication>
#include <QPrinter>

#include "printing/default_printer.h"

namespace kreslix {
namespace {

// The process's printer is let go while the application still exists: a printer outliving it
// would tear down its print engine after Qt's own printing support is gone.
void releaseProcessPrinter() {
    CurrentPrinter::process().reset();
}

}  // namespace

CurrentPrinter::CurrentPrinter() = default;
CurrentPrinter::~CurrentPrinter() = default;

CurrentPrinter& CurrentPrinter::process() {
    static CurrentPrinter instance;
    [[maybe_unused]] static const bool releasedWithApplication = [] {
        qAddPostRoutine(releaseProcessPrinter);
        return true;
    }();
    return instance;
}

QPrinter& CurrentPrinter::printer() {
    if (!printer_)
        printer_ = systemDefaultPrinter();
    return *printer_;
}

void CurrentPrinter::select(std::unique_ptr<QPrinter> printer) {
    printer_ = std::move(printer);
}

void CurrentPrinter::reset() {
    printer_.reset();
}

}  // namespace kreslix
