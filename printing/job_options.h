#pragma once

#include <QStringList>

#include "printing/print_service.h"

class QPrinter;

namespace kreslix {

// The CUPS options a printer object keeps for its jobs, name and value after each other: the
// printer's own properties as the setup dialog set them, and whatever job settings Qt's print
// dialog stored with them.
QStringList cupsOptionsOf(const QPrinter& printer);
void setCupsOptions(QPrinter& printer, const QStringList& options);

// The options a print of one page is sent with: the printer's paper and orientation and its own
// properties; one copy, one-sided, one page per sheet. Job settings that the setup dialog does
// not offer (copies, page ranges and sets, page order, pages per sheet, scheduling, priority,
// billing and banner pages) are left out, so none set some other way reaches a print.
JobOptions jobOptions(const QPrinter& printer);

}  // namespace kreslix
