#include "app/panel_docking.h"

#include <QBoxLayout>
#include <QWidget>

namespace kreslix {

void setPanelShown(QBoxLayout* edge, QWidget* panel, bool shown) {
    if (shown && !panel->isVisibleTo(panel->parentWidget())) {
        edge->removeWidget(panel);
        edge->addWidget(panel);
    }
    panel->setVisible(shown);
}

}  // namespace kreslix
