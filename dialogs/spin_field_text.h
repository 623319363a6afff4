#pragma once

#include <QAccessible>

class QLineEdit;

namespace kreslix {

// The text of a one-line field as assistive technology reads it: its characters, the caret and
// the selection, so that a screen reader can read the text as the caret moves over it.
class SpinFieldText : public QAccessibleTextInterface {
public:
    explicit SpinFieldText(QLineEdit* field) : field_(field) {}

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QLineEdit* field_;
};

}  // namespace kreslix
