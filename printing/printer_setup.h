#pragma once

namespace kreslix {

class CurrentPrinter;
class Prompts;

// `NastavTlac`: the printer-setup dialog, started from the current printer and its settings
// (the system's default printer when none is selected yet). OK makes the chosen printer, paper
// and orientation current for later prints; Cancel changes nothing. Confirming while a print job
// is open fails with "Printing in progress" and applies nothing.
void NastavTlac(CurrentPrinter& current, Prompts& prompts);

}  // namespace kreslix
