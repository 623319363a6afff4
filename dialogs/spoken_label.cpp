#include "dialogs/spoken_label.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace kreslix {
namespace {

constexpr char kSpoken[] = "kreslixSpokenLabel";
constexpr char kHiddenCaption[] = "kreslixHiddenCaption";

class SpokenLabelInterface : public QAccessibleWidget {
public:
    explicit SpokenLabelInterface(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }

    // Labelled by nothing and labelling nothing: a text of its own.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
};

class HiddenCaptionInterface : public SpokenLabelInterface {
public:
    using SpokenLabelInterface::SpokenLabelInterface;

    QAccessible::State state() const override {
        QAccessible::State state = SpokenLabelInterface::state();
        state.invisible = true;
        state.offscreen = true;
        return state;
    }
};

QAccessibleInterface* spokenLabelAccessible(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (!label)
        return nullptr;
    if (label->property(kHiddenCaption).toBool())
        return new HiddenCaptionInterface(label);
    if (label->property(kSpoken).toBool())
        return new SpokenLabelInterface(label);
    return nullptr;
}

}  // namespace

void speakWithCaption(QLabel* label, QLabel* caption) {
    static const bool installed = [] {
        QAccessible::installFactory(&spokenLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    label->setProperty(kSpoken, true);
    if (caption)
        caption->setProperty(kHiddenCaption, true);
    // An interface made while the text was set is a plain label's; the next one asked for is ours.
    for (QLabel* made : {label, caption}) {
        if (made)
            QAccessible::deleteAccessibleInterface(
                QAccessible::uniqueId(QAccessible::queryAccessibleInterface(made)));
    }
}

void setSpokenText(QLabel* label, const QString& caption, const QString& text) {
    label->setText(text);
    label->setAccessibleName(caption + u' ' + text);
}

}  // namespace kreslix
