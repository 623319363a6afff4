#include "dialogs/standard_icon_label.h"

namespace kreslix {

StandardIconLabel::StandardIconLabel(QStyle::StandardPixmap icon, int size, QWidget* parent)
    : QLabel(parent), icon_(icon), size_(size) {}

void StandardIconLabel::showEvent(QShowEvent* event) {
    // Shown events come before the first paint, so the icon is there when the label appears.
    if (pixmap().isNull())
        setPixmap(style()->standardIcon(icon_, nullptr, this).pixmap(size_, size_));
    QLabel::showEvent(event);
}

}  // namespace kreslix
