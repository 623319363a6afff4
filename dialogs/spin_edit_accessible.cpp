#include "dialogs/spin_edit_accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <climits>

#include "dialogs/spin_edit.h"
#include "dialogs/spin_value.h"

namespace kreslix {
namespace {

class SpinEditInterface : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinEditInterface(SpinEdit* spin) : QAccessibleWidget(spin, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return spin()->text();
        QString text = QAccessibleWidget::text(kind);
        // Named by its label, "Šírka plátna:" reads as "Šírka plátna".
        if (kind == QAccessible::Name && spin()->accessibleName().isEmpty() &&
            text.endsWith(u':')) {
            text.chop(1);
        }
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.focused = spin()->lineEdit()->hasFocus();
        return state;
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QVariant currentValue() const override { return spin()->value(); }
    void setCurrentValue(const QVariant& value) override {
        spin()->setValue(clampSpinValue(value.toLongLong(), spin()->minimum(), spin()->maximum()));
    }
    QVariant minimumValue() const override { return bounded() ? spin()->minimum() : INT_MIN; }
    QVariant maximumValue() const override { return bounded() ? spin()->maximum() : INT_MAX; }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& name) override {
        if (name == increaseAction()) {
            spin()->stepBy(1);
        } else if (name == decreaseAction()) {
            spin()->stepBy(-1);
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    SpinEdit* spin() const { return static_cast<SpinEdit*>(widget()); }
    bool bounded() const { return spin()->minimum() != spin()->maximum(); }
};

}  // namespace

QAccessibleInterface* spinEditAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(SpinEdit::staticMetaObject.className())) {
        if (auto* spin = qobject_cast<SpinEdit*>(object))
            return new SpinEditInterface(spin);
    }
    return nullptr;
}

}  // namespace kreslix
