#pragma once

#include <QDialog>
#include <functional>

namespace kreslix::testing {

// Acts on the next modal dialog once it is shown: the test then runs the code that shows it
// (exec or a prompt). A dialog the action leaves open is closed by force and fails the test,
// so a dialog that refuses to close can't hang the run. An action that has not run by the end of
// its test (no dialog was shown modally) fails that test.
void actOnModal(std::function<void(QDialog&)> act);

// Clicks the dialog's child button of that object name.
void clickButton(QDialog& dialog, const char* name);

}  // namespace kreslix::testing
