#include "app/dialog_prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

#include "app/application_title.h"

namespace kreslix {

DialogPrompts::DialogPrompts() = default;
DialogPrompts::~DialogPrompts() = default;

void DialogPrompts::setWindow(QWidget* window) {
    window_ = window;
    colourDialog_ = new QColorDialog(window);
    colourDialog_->setObjectName(QStringLiteral("ColorDialog1"));
}

void DialogPrompts::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, window_);
    box.exec();
}

void DialogPrompts::beep() { QApplication::beep(); }

std::optional<Colour> DialogPrompts::chooseColour(Colour preset) {
    const QRgb shown = toPixel(preset);
    colourDialog_->setCurrentColor(QColor(shown));
    if (colourDialog_->exec() != QDialog::Accepted) return std::nullopt;
    const QColor chosen = colourDialog_->selectedColor();
    return fromPixel(chosen.rgb());
}

}  // namespace kreslix
