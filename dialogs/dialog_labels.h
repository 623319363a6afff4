#pragma once

#include <QPoint>
#include <functional>

class QLabel;
class QString;
class QWidget;

namespace kreslix {

// A label named `name` with `text` at `at` in `parent`, sized to its text.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at);

// The dialogs place their labels at fixed pixel positions made for a small, narrow dialog font.
// With a wider or taller font a text could run under the control beside it or lose the bottom
// of its letters; these keep each label's place and adapt only its font.

// Narrows the label's font just enough for its text to end before `right` (in the parent's
// coordinates), and sizes the label to its text.
void fitBefore(QLabel* label, int right);

// Runs `fit` once, when `dialog` is first shown, before it reaches the screen. Fitting measures
// texts in fonts that the main window never uses, and loading a font costs about a millisecond;
// done at start-up (in the constructor, or when the main window polishes its children) it
// would slow every start for dialogs that are seldom opened.
void fitWhenFirstShown(QWidget* dialog, std::function<void()> fit);

// Makes the font of a label of fixed height small enough for a whole line, descenders
// included, to fit that height.
void fitLineHeight(QLabel* label);

}  // namespace kreslix
