#include "dialogs/colour_dialog.h"

#include <QColorDialog>

namespace kreslix {

std::optional<Colour> runColourDialog(QColorDialog* dialog, Colour start) {
    dialog->setCurrentColor(QColor(toPixel(start)));
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return fromPixel(dialog->selectedColor().rgb());
}

}  // namespace kreslix
