#include "app/status_panel.h"

#include <QSizeGrip>

#include "app/status_text.h"

namespace kreslix {

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DolnyPanel"));
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Dolný panel s nápovedou"));
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new StatusText(this);
        panels_[i]->setObjectName(QStringLiteral("DolnyPanelText%1").arg(i));
    }
    panels_[0]->setAccessibleDescription(QStringLiteral("Pozícia kurzora"));
    panels_[1]->setAccessibleDescription(QStringLiteral("Miesto stlačenia tlačidla myši"));
    // The grip resizes the main window; it lies over the second panel's right end.
    grip_ = new QSizeGrip(this);
    grip_->setAccessibleName(QStringLiteral("Zmena veľkosti okna"));
    grip_->raise();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panels_[0]->setGeometry(0, 0, kFirstPanelWidth, height());
    panels_[1]->setGeometry(kFirstPanelWidth, 0, qMax(0, width() - kFirstPanelWidth), height());
    const QSize grip = grip_->sizeHint().boundedTo(QSize(height(), height()));
    grip_->setGeometry(width() - grip.width(), height() - grip.height(), grip.width(),
                       grip.height());
}

QString StatusPanel::panelText(int index) const {
    return panels_[index]->text();
}

void StatusPanel::setPanelText(int index, const QString& text) {
    panels_[index]->setText(text);
}

}  // namespace kreslix
