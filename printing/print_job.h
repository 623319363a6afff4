#pragma once

#include <QPainter>

class QPrinter;

namespace kreslix {

class CurrentPrinter;

// One document of one page on the current printer, open for as long as the object lives.
// Beginning selects the system's default printer when none is selected yet, and fails with
// "Printing in progress" while another job is open on it (one begun by an event handled while
// the first was being sent) and with "Printer selected is not valid" when the printer can't be
// drawn on; then nothing is open and nothing printed. Once begun, the document is always ended:
// by finish(), or by the destructor when a step in between failed.
class PrintJob {
public:
    explicit PrintJob(CurrentPrinter& current);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    QPrinter& printer() { return printer_; }
    QPainter& painter() { return painter_; }

    // Ends the page and the document, which sends it to the printer; throws the print service's
    // failure when it refused the job.
    void finish();

private:
    void end();

    CurrentPrinter& current_;
    QPrinter& printer_;
    QPainter painter_;
    bool ended_ = false;
};

}  // namespace kreslix
