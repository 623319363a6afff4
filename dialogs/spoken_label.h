#pragma once

class QLabel;
class QString;

namespace kreslix {

// A text of a dialog that a screen reader reads with the dialog as it opens: a label that labels
// nothing, named by its caption and its text ("výška plátna: 297 pixelov."). The caption beside
// it, whose words are in that name, is hidden from assistive technology, so that reading the
// dialog line by line does not say it twice. A label in a titled group box is otherwise taken as
// the box's label, and a screen reader then counts it as read.
void speakWithCaption(QLabel* label, QLabel* caption);

// Shows `text` in the label and names it "`caption` `text`".
void setSpokenText(QLabel* label, const QString& caption, const QString& text);

}  // namespace kreslix
