#pragma once

class QWidget;

namespace kreslix {

class CurrentPrinter;

// Prints an image of `clientArea` as the screen shows it, on one page of the current printer
// with its current settings and no dialog: at the size it has on the screen (the screen's
// logical resolution taken as its size in inches), at the top-left corner of the printable
// area, cut off where the page ends. The failures are those of PrintJob.
void PrintFormImage(CurrentPrinter& current, QWidget& clientArea);

}  // namespace kreslix
