#include "dialogs/spin_edit.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

#include "dialogs/spin_edit_accessible.h"
#include "dialogs/spin_value.h"

namespace kreslix {
namespace {

constexpr int kArrowWidth = 15;

void announce(QAccessibleEvent&& event) {
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(&event);
}

// The field inside, made after assistive technology has learnt what a spin edit's field is:
// an interface asked for before would be a plain line edit's for good.
QLineEdit* newField(QWidget* parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&spinEditAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    return new QLineEdit(parent);
}

}  // namespace

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(maximum),
      edit_(newField(this)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      beep_([] { QApplication::beep(); }) {
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
    edit_->setText(QString::number(minimum));
    edit_->installEventFilter(this);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    // A click on an arrow moves the focus into the field, as a click in the field does.
    connect(up_, &QToolButton::pressed, this, [this] { edit_->setFocus(Qt::MouseFocusReason); });
    connect(down_, &QToolButton::pressed, this, [this] { edit_->setFocus(Qt::MouseFocusReason); });
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(edit_, &QLineEdit::textChanged, this, &SpinEdit::textChanged);
    connect(edit_, &QLineEdit::textChanged, this,
            [this] { announce(QAccessibleValueChangeEvent(edit_, value())); });
}

int SpinEdit::value() const {
    return spinEditValue(edit_->text(), minimum_);
}

void SpinEdit::setValue(int value) {
    setText(QString::number(value));
}

QString SpinEdit::text() const {
    return edit_->text();
}

void SpinEdit::setText(const QString& text) {
    if (edit_->text() != text)
        edit_->setText(text);
}

void SpinEdit::stepBy(int delta) {
    setValue(clampSpinValue(static_cast<long long>(value()) + delta, minimum_, maximum_));
}

void SpinEdit::clampOnLeave() {
    const int v = value();
    const int clamped = clampSpinValue(v, minimum_, maximum_);
    if (clamped != v)
        setValue(clamped);
}

bool SpinEdit::leavesField(Qt::FocusReason reason) const {
    // A menu or popup opening, or another window becoming active, takes the focus only for a
    // while: the field keeps it within its window. Its window being hidden ends it for good.
    const bool forAWhile = reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
                           reason == Qt::ActiveWindowFocusReason;
    return !forAWhile || !window()->isVisible();
}

bool SpinEdit::acceptsCharacter(QChar c) const {
    // Only the ASCII digits: the value is read from them alone.
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' ||
           c == QLocale().decimalPoint().front();
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // The window's shortcuts (Ctrl+C, Ctrl+Z, Del...) win over the field's own keys.
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & Qt::ControlModifier) || key->key() == Qt::Key_Delete) {
                event->ignore();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                stepBy(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
            const QString typed = key->text();
            if (typed.size() == 1 && typed[0].isPrint() &&
                !(key->modifiers() & Qt::ControlModifier) && !acceptsCharacter(typed[0])) {
                beep_();
                return true;
            }
            return false;
        }
        case QEvent::FocusIn: {
            // Only entering the field selects its text, and only by a way other than a mouse
            // click; the focus coming back from a menu, a popup or another window does not.
            const bool entering = !entered_;
            entered_ = true;
            if (entering && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
                QMetaObject::invokeMethod(edit_, &QLineEdit::selectAll, Qt::QueuedConnection);
            }
            return false;
        }
        case QEvent::FocusOut:
            if (leavesField(static_cast<QFocusEvent*>(event)->reason())) {
                entered_ = false;
                clampOnLeave();
            }
            return false;
        default:
            return false;
    }
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int arrowsLeft = width() - kArrowWidth;
    edit_->setGeometry(0, 0, arrowsLeft, height());
    up_->setGeometry(arrowsLeft, 0, kArrowWidth, height() / 2);
    down_->setGeometry(arrowsLeft, height() / 2, kArrowWidth, height() - height() / 2);
}

}  // namespace kreslix
