#include "app/accessible_buttons.h"

#include <QAccessibleWidget>

#include "app/choice_button.h"
#include "app/colour_panel.h"

namespace kreslix {
namespace {

// The hint is the button's name already; a description repeating it would be read twice.
QString ownText(const QWidget* w, QAccessible::Text t) {
    switch (t) {
        case QAccessible::Name:
            return w->accessibleName().isEmpty() ? w->toolTip() : w->accessibleName();
        case QAccessible::Description:
            return w->accessibleDescription();
        default:
            return {};
    }
}

// A glyph button is a push button; pressing it through assistive technology clicks it once the
// call has returned, as Qt's push buttons do, so that a dialog it opens does not hold the caller.
// A choice button is a radio button: toggling or pressing it chooses it, as a click does. The
// kind is asked of the button each time: an interface made while the button was still being
// built stays right.
class GlyphButtonInterface : public QAccessibleWidget {
public:
    explicit GlyphButtonInterface(GlyphButton* button) : QAccessibleWidget(button) {}

    GlyphButton* button() const { return static_cast<GlyphButton*>(widget()); }
    ChoiceButton* choice() const { return qobject_cast<ChoiceButton*>(widget()); }

    QAccessible::Role role() const override {
        return choice() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name || t == QAccessible::Description ? ownText(widget(), t)
                                                                       : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = button()->isCheckable();
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (choice() && button()->isEnabled())
            names << toggleAction();
        if (button()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        const bool pressing = action == pressAction() || (choice() && action == toggleAction());
        if (!pressing || !button()->isEnabled())
            return QAccessibleWidget::doAction(action);
        if (ChoiceButton* c = choice())
            c->choose();
        else
            button()->animateClick();
    }
};

// A palette cell or a colour swatch: a push button named by its colour or its hint, telling
// its colour in the description.
class ColourCellInterface : public QAccessibleWidget {
public:
    explicit ColourCellInterface(ColourCell* cell) : QAccessibleWidget(cell, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name || t == QAccessible::Description ? ownText(widget(), t)
                                                                       : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        // After the call has returned: a swatch opens the colour dialog.
        QMetaObject::invokeMethod(static_cast<ColourCell*>(widget()), &ColourCell::activate,
                                  Qt::QueuedConnection);
    }
};

}  // namespace

QAccessibleInterface* accessibleButton(QObject* object) {
    if (auto* button = qobject_cast<GlyphButton*>(object))
        return new GlyphButtonInterface(button);
    if (auto* cell = qobject_cast<ColourCell*>(object))
        return new ColourCellInterface(cell);
    return nullptr;
}

}  // namespace kreslix
