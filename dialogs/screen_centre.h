#pragma once

class QWidget;

namespace kreslix {

// Places `dialog`, frame and title bar included, in the middle of the screen its parent window
// is on (its own screen without a parent). Call it as the dialog is shown.
void centreOnScreen(QWidget* dialog);

}  // namespace kreslix
