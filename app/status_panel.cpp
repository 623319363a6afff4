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
    zoom_ = new StatusText(this);
    zoom_->setObjectName(QStringLiteral("DolnyPanelZvacsenie"));
    zoom_->setAccessibleDescription(QStringLiteral("Zväčšenie"));
    zoom_->hide();
    // The grip resizes the main window; it lies over the second panel's right end.
    grip_ = new QSizeGrip(this);
    grip_->setAccessibleName(QStringLiteral("Zmena veľkosti okna"));
    grip_->raise();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void StatusPanel::layOut() {
    const int zoomWidth = zoom_->isHidden() ? 0 : kZoomPanelWidth;
    const int secondEnd = qMax(kFirstPanelWidth, width() - zoomWidth);
    panels_[0]->setGeometry(0, 0, kFirstPanelWidth, height());
    panels_[1]->setGeometry(kFirstPanelWidth, 0, secondEnd - kFirstPanelWidth, height());
    zoom_->setGeometry(secondEnd, 0, qMax(0, width() - secondEnd), height());
    const QSize grip = grip_->sizeHint().boundedTo(QSize(height(), height()));
    grip_->setGeometry(width() - grip.width(), height() - grip.height(), grip.width(),
                       grip.height());
}

QString StatusPanel::panelText(int index) const {
    return panels_[index]->text();
}

void StatusPanel::setZoomText(const QString& text, bool shown) {
    zoom_->setText(text);
    if (shown != zoom_->isHidden())
        return;
    zoom_->setVisible(shown);
    layOut();
}

QString StatusPanel::zoomText() const {
    return zoom_->text();
}

void StatusPanel::setPanelText(int index, const QString& text) {
    panels_[index]->setText(text);
}

}  // namespace kreslix
