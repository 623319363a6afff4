#pragma once

#include <QPoint>
#include <QStringList>

class QFontMetrics;
class QLabel;
class QString;
class QWidget;

namespace kreslix {

// A label named `name` with `text` at `at` in `parent`, sized to its text. Its text is plain,
// never read as markup.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at);

// The dialogs place their labels at fixed pixel positions made for a small, narrow dialog font.
// With a wider or taller font a text could run under the control beside it or lose the bottom
// of its letters; these keep each label's place and adapt only its font.

// Narrows the font of `widget` (a label, or a check box whose box takes `extra` pixels before
// its text) just enough for the widest of `texts` to end before `right` (in the parent's
// coordinates), and sizes the widget to its text.
void fitBefore(QWidget* widget, int right, const QStringList& texts, int extra = 0);
// The same for a label and the text it shows.
void fitBefore(QLabel* label, int right);

// The width of the widest of `texts` in that font.
int widestText(const QFontMetrics& metrics, const QStringList& texts);

// Makes the font of a label of fixed height small enough for a whole line, descenders
// included, to fit that height.
void fitLineHeight(QLabel* label);

}  // namespace kreslix
