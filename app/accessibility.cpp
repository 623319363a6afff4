#include "app/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/accessible_buttons.h"
#include "app/button_bar.h"
#include "app/colour_panel.h"
#include "app/picture_view.h"
#include "app/status_panel.h"
#include "app/status_text.h"
#include "app/tool_panel.h"
#include "dialogs/spin_edit.h"

namespace kreslix {
namespace {

template <typename T>
bool is(const QString& className) {
    return className == QLatin1String(T::staticMetaObject.className());
}

// The picture: an image named by its size, with its hint as the description.
class PictureInterface : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit PictureInterface(PictureView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    PictureView* view() const { return static_cast<PictureView*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QSize size = view()->pictureSize();
            return QStringLiteral("Obrázok %1 × %2 bodov").arg(size.width()).arg(size.height());
        }
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString imageDescription() const override { return view()->toolTip(); }
    QSize imageSize() const override { return view()->pictureSize(); }
    QPoint imagePosition() const override { return view()->mapToGlobal(QPoint(0, 0)); }
};

// A text panel of the status bar: a label whose name is its text.
class StatusTextInterface : public QAccessibleWidget {
public:
    explicit StatusTextInterface(StatusText* text)
        : QAccessibleWidget(text, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<StatusText*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// A width field: a spin box whose value is the field's, with the text field inside it as its
// only part (the arrows are the spin box's own actions for a screen reader).
class SpinEditInterface : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinEditInterface(SpinEdit* field) : QAccessibleWidget(field, QAccessible::SpinBox) {
        QObject::connect(field, &SpinEdit::textChanged, field, [field] {
            if (QAccessible::isActive()) {
                QAccessibleValueChangeEvent changed(field, field->value());
                QAccessible::updateAccessibility(&changed);
            }
        });
    }

    SpinEdit* field() const { return static_cast<SpinEdit*>(widget()); }

    // Its own name, else that of the label it is the buddy of, else its text field's.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && field()->accessibleName().isEmpty()) {
            for (const QLabel* label : field()->parentWidget()->findChildren<QLabel*>()) {
                if (label->buddy() == field() || label->buddy() == field()->lineEdit())
                    return label->text().remove(u'&');
            }
            return QAccessible::queryAccessibleInterface(field()->lineEdit())->text(t);
        }
        if (t == QAccessible::Value)
            return field()->text();
        return QAccessibleWidget::text(t);
    }

    // Up and down as the Up and Down keys go: clamped to the field's bounds.
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& action) override {
        if (action != increaseAction() && action != decreaseAction())
            return QAccessibleWidget::doAction(action);
        QKeyEvent key(QEvent::KeyPress, action == increaseAction() ? Qt::Key_Up : Qt::Key_Down,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(field()->lineEdit(), &key);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(field()->lineEdit()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == field()->lineEdit() ? 0 : -1;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return field()->value(); }
    // As typed: the field's own rules apply to the new text.
    void setCurrentValue(const QVariant& value) override { field()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (QAccessibleInterface* button = accessibleButton(className, object))
        return button;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (is<PictureView>(className))
        return new PictureInterface(static_cast<PictureView*>(widget));
    if (is<StatusText>(className))
        return new StatusTextInterface(static_cast<StatusText*>(widget));
    if (is<SpinEdit>(className))
        return new SpinEditInterface(static_cast<SpinEdit*>(widget));
    if (is<StatusPanel>(className))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (is<ButtonBar>(className) || is<ToolPanel>(className))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (is<ColourPanel>(className))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    QAccessible::installFactory(createInterface);
}

}  // namespace kreslix
