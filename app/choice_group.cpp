#include "app/choice_group.h"

#include <QAbstractButton>

namespace kreslix {

ChoiceGroup::ChoiceGroup(QObject* parent) : QButtonGroup(parent) {
    setExclusive(true);
    // A click checks its button between the press and the release and is reported by
    // `idClicked`; a button checked outside a click is reported by its toggling.
    connect(this, &QButtonGroup::idPressed, this, [this] { clicking_ = true; });
    connect(this, &QButtonGroup::idReleased, this, [this] { clicking_ = false; });
    connect(this, &QButtonGroup::idClicked, this, &ChoiceGroup::chosen);
    connect(this, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && !clicking_ && !quiet_)
            emit chosen(id);
    });
}

void ChoiceGroup::setCheckedQuietly(int id) {
    if (QAbstractButton* b = button(id)) {
        quiet_ = true;
        b->setChecked(true);
        quiet_ = false;
    }
}

}  // namespace kreslix
