#pragma once

#include <memory>

class QPrinter;

namespace kreslix {

class PrintJob;

// The printer that prints go to, with its settings (paper, orientation and the like, as the
// setup dialog left them), and whether a print job is open on it. None is selected at first;
// the first print or setup that needs one selects the system's default printer. While no
// printer is selected, every such command asks the system again.
class CurrentPrinter {
public:
    CurrentPrinter();
    ~CurrentPrinter();
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    // The one current printer of the program, kept for the whole run.
    static CurrentPrinter& process();

    // The current printer, selecting the system's default printer when none is selected yet.
    // Throws "There is no default printer currently selected" when the system names none.
    QPrinter& printer();
    bool isSelected() const { return printer_ != nullptr; }
    // Makes `printer`, with the settings it carries, the current printer.
    void select(std::unique_ptr<QPrinter> printer);
    // Forgets the current printer, as at start-up.
    void reset();

    bool jobOpen() const { return jobOpen_; }

private:
    friend class PrintJob;

    std::unique_ptr<QPrinter> printer_;
    bool jobOpen_ = false;
};

}  // namespace kreslix
