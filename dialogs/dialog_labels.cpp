#include "dialogs/dialog_labels.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace kreslix {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}

void fitBefore(QLabel* label, int right) {
    QFont font = label->parentWidget()->font();
    const int room = right - label->x();
    // Down to half width at most; the widths of a face are not linear in its stretch, so the
    // narrowing goes in small steps and stops at the first that fits.
    for (int stretch = 100;
         stretch > 50 && QFontMetrics(font).horizontalAdvance(label->text()) > room;) {
        stretch -= 2;
        font.setStretch(stretch);
    }
    label->setFont(font);
    label->adjustSize();
}

void fitLineHeight(QLabel* label) {
    QFont font = label->parentWidget()->font();
    for (int pixels = QFontInfo(font).pixelSize();
         pixels > 6 && QFontMetrics(font).height() > label->height();) {
        font.setPixelSize(--pixels);
    }
    label->setFont(font);
}

}  // namespace kreslix
