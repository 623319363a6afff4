#include "app/status_panel.h"

#include "app/status_text.h"

namespace kreslix {

StatusPanel::StatusPanel(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("DolnyPanel"));
    setFixedHeight(kHeight);
    setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new StatusText(this);
        panels_[i]->setObjectName(QStringLiteral("DolnyPanelText%1").arg(i));
    }
    panels_[0]->setFixedWidth(kFirstPanelWidth);
    addWidget(panels_[0]);
    addWidget(panels_[1], 1);
}

QString StatusPanel::panelText(int index) const {
    return panels_[index]->text();
}

void StatusPanel::setPanelText(int index, const QString& text) {
    panels_[index]->setText(text);
}

}  // namespace kreslix
