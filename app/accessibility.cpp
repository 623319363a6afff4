#include "app/accessibility.h"

#include <QAccessibleWidget>

#include "app/accessible_buttons.h"
#include "app/button_bar.h"
#include "app/colour_panel.h"
#include "app/picture_scroll_area.h"
#include "app/picture_view.h"
#include "app/status_panel.h"
#include "app/status_text.h"
#include "app/tool_panel.h"
#include "app/zoom_steps.h"

namespace kreslix {
namespace {

template <typename T>
bool is(const QString& className) {
    return className == QLatin1String(T::staticMetaObject.className());
}

QString pictureName(QSize size) {
    return QStringLiteral("Obrázok %1 × %2 bodov").arg(size.width()).arg(size.height());
}

// The picture: an image named by its size, with its hint as the description.
class PictureInterface : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit PictureInterface(PictureView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    PictureView* view() const { return static_cast<PictureView*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return pictureName(view()->pictureSize());
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

// The area around the picture, which takes the focus: what it shows is its description, so a
// screen reader says which picture is there as the focus arrives, and its zoom when it is not
// 100 %.
class PictureAreaInterface : public QAccessibleWidget {
public:
    explicit PictureAreaInterface(PictureScrollArea* area)
        : QAccessibleWidget(area, QAccessible::Client) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            if (const auto* view = widget()->findChild<PictureView*>()) {
                if (view->zoom() == 1.0)
                    return pictureName(view->pictureSize());
                return pictureName(view->pictureSize()) + QStringLiteral(", zväčšenie ") +
                       zoom_steps::scaleText(view->zoom());
            }
        }
        return QAccessibleWidget::text(t);
    }
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

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (QAccessibleInterface* button = accessibleButton(object))
        return button;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (is<PictureView>(className))
        return new PictureInterface(static_cast<PictureView*>(widget));
    if (is<PictureScrollArea>(className))
        return new PictureAreaInterface(static_cast<PictureScrollArea*>(widget));
    if (is<StatusText>(className))
        return new StatusTextInterface(static_cast<StatusText*>(widget));
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
