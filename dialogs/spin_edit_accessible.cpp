#include "dialogs/spin_edit_accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <climits>

#include "dialogs/spin_edit.h"
#include "dialogs/spin_field_text.h"
#include "dialogs/spin_value.h"

namespace kreslix {
namespace {

SpinEdit* spinAround(QObject* field) {
    return qobject_cast<SpinEdit*>(field->parent());
}

// The spin edit: a grouping that holds the field alone and leaves the naming to it.
class SpinEditInterface : public QAccessibleWidget {
public:
    explicit SpinEditInterface(SpinEdit* spin) : QAccessibleWidget(spin, QAccessible::Grouping) {}

    // Its label's or its own name, which the field inside carries.
    QString fieldName() const {
        QString text = QAccessibleWidget::text(QAccessible::Name);
        // Named by its label, "Šírka plátna:" reads as "Šírka plátna".
        if (widget()->accessibleName().isEmpty() && text.endsWith(u':'))
            text.chop(1);
        return text;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QString() : QAccessibleWidget::text(kind);
    }
    // The label beside it labels the field.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> fieldRelations(
        QAccessible::Relation match) const {
        return QAccessibleWidget::relations(match);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(spin()->lineEdit()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == spin()->lineEdit() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return rect().contains(x, y) ? child(0) : nullptr;
    }

private:
    SpinEdit* spin() const { return static_cast<SpinEdit*>(widget()); }
};

// The field: the spin box that has the focus.
class SpinFieldInterface : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public SpinFieldText {
public:
    explicit SpinFieldInterface(QLineEdit* field)
        : QAccessibleWidget(field, QAccessible::SpinBox), SpinFieldText(field) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return spin()->text();
        if (kind == QAccessible::Name) {
            const auto* around = aroundInterface();
            return around ? around->fieldName() : QString();
        }
        return QAccessibleWidget::text(kind);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        const auto* around = aroundInterface();
        return around ? around->fieldRelations(match) : QAccessibleWidget::relations(match);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
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
    SpinEdit* spin() const { return spinAround(widget()); }
    const SpinEditInterface* aroundInterface() const {
        return dynamic_cast<SpinEditInterface*>(QAccessible::queryAccessibleInterface(spin()));
    }
    bool bounded() const { return spin()->minimum() != spin()->maximum(); }
};

}  // namespace

QAccessibleInterface* spinEditAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(SpinEdit::staticMetaObject.className())) {
        if (auto* spin = qobject_cast<SpinEdit*>(object))
            return new SpinEditInterface(spin);
    }
    if (auto* field = qobject_cast<QLineEdit*>(object); field && spinAround(field))
        return new SpinFieldInterface(field);
    return nullptr;
}

}  // namespace kreslix
