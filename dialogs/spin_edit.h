#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

namespace kreslix {

// A numeric field with up and down arrows whose rules are the program's own:
// - its value is its text read as an integer; any other text counts as the minimum;
// - typing accepts the digits 0 to 9, signs and the decimal separator (others are refused with a
// beep),
//   and a typed value is used as typed, even outside the bounds;
// - the arrows and the Up and Down keys add or subtract 1 and write the result back, clamped;
// - leaving the field for another control clamps a value outside the bounds (text that is no
//   integer stays); a menu, a popup or another window taking the focus for a while is no leaving;
// - entering it other than by a mouse click selects the whole text; coming back to it from a
//   menu, a popup or another window does not.
// Minimum == maximum means no bounds. `textChanged` fires on every change of the text.
// Assistive technology sees the field as the spin box, with its name and value (see
// spin_edit_accessible.h).
class SpinEdit : public QWidget {
    Q_OBJECT

public:
    SpinEdit(int minimum, int maximum, QWidget* parent);

    int value() const;
    void setValue(int value);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return edit_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // What an arrow does: adds `delta` and writes the result back, clamped.
    void stepBy(int delta);

    // How a refused character is answered; the system beep unless set.
    void setRefusalBeep(std::function<void()> beep) { beep_ = std::move(beep); }

signals:
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void clampOnLeave();
    bool leavesField(Qt::FocusReason reason) const;
    bool acceptsCharacter(QChar c) const;

    int minimum_;
    int maximum_;
    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    std::function<void()> beep_;
    bool entered_ = false;  // the focus is in the field, or away only for a while
};

}  // namespace kreslix
