#pragma once

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

class QPrinter;

namespace kreslix {

class CurrentPrinter;

// One document of one page on the current printer, open for as long as the object lives.
// Beginning selects the system's default printer when none is selected yet, and fails with
// "Printing in progress" while another job is open on it (one begun by an event handled while
// the first was being sent) and with "Printer selected is not valid" when the printer can't be
// drawn on; then nothing is open and nothing printed. Once begun, the document is always ended:
// by finish(), or by the destructor when a step in between failed, which sends nothing.
//
// The page is drawn as a PDF document in memory, on the printer's paper, orientation and
// printable area at its resolution, and finish() sends it to the print service itself, with
// only the job options the program means (see jobOptions); no temporary file is written. A
// printer that writes a PDF file of its own (as tests use) gets the same document in its file.
class PrintJob {
public:
    explicit PrintJob(CurrentPrinter& current);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Draws on the page; its device has the printer's resolution.
    QPainter& painter() { return painter_; }

    // Ends the page and the document and sends it to the printer; throws what went wrong on the
    // way. The job is closed when it returns or throws.
    void finish();

private:
    void endDocument();

    CurrentPrinter& current_;
    QPrinter& printer_;
    std::unique_ptr<QIODevice> output_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    bool ended_ = false;
};

}  // namespace kreslix
