#include "dialogs/spin_field_text.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace kreslix {

void SpinFieldText::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && field_->hasSelectedText()) {
        *startOffset = field_->selectionStart();
        *endOffset = field_->selectionEnd();
    }
}

int SpinFieldText::selectionCount() const {
    return field_->hasSelectedText() ? 1 : 0;
}

void SpinFieldText::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void SpinFieldText::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        field_->deselect();
}

void SpinFieldText::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        field_->setSelection(startOffset, endOffset - startOffset);
}

int SpinFieldText::cursorPosition() const {
    return field_->cursorPosition();
}

void SpinFieldText::setCursorPosition(int position) {
    field_->setCursorPosition(position);
}

QString SpinFieldText::text(int startOffset, int endOffset) const {
    const QString all = field_->text();
    if (startOffset < 0 || endOffset < startOffset || startOffset > all.size())
        return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int SpinFieldText::characterCount() const {
    return static_cast<int>(field_->text().size());
}

QRect SpinFieldText::characterRect(int offset) const {
    // Measured from the caret, which stands where the field has scrolled its text to.
    const QString all = field_->text();
    if (offset < 0 || offset >= all.size())
        return {};
    const QFontMetrics metrics = field_->fontMetrics();
    const QRect caret = field_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int left = caret.left() + metrics.horizontalAdvance(all.left(offset)) -
                     metrics.horizontalAdvance(all.left(field_->cursorPosition()));
    const QRect box(left, caret.top(), metrics.horizontalAdvance(all.at(offset)), caret.height());
    return QRect(field_->mapToGlobal(box.topLeft()), box.size());
}

int SpinFieldText::offsetAtPoint(const QPoint& point) const {
    return field_->cursorPositionAt(field_->mapFromGlobal(point));
}

void SpinFieldText::scrollToSubstring(int startIndex, int) {
    field_->setCursorPosition(startIndex);
}

QString SpinFieldText::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

}  // namespace kreslix
