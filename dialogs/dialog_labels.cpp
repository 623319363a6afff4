#include "dialogs/dialog_labels.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace kreslix {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

int widestText(const QFontMetrics& metrics, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width;
}

void fitBefore(QWidget* widget, int right, const QStringList& texts, int extra) {
    QFont font = widget->parentWidget()->font();
    const int room = right - widget->x() - extra;
    auto fits = [&](int stretch) {
        font.setStretch(stretch);
        return widestText(QFontMetrics(font), texts) <= room;
    };
    // The widest stretch (from 100 % down to half width, in steps of 2 %) at which the text
    // fits. Every stretch tried loads a font of its own, so the search starts where the widths
    // say it ends, which they say closely (a narrowed face is the same face scaled), and goes
    // down or up from there by single steps: one or two fonts instead of one for every step.
    const int natural = widestText(QFontMetrics(font), texts);
    if (natural > room && natural > 0) {
        int stretch = std::clamp(int(qint64(100) * std::max(room, 0) / natural) & ~1, 50, 100);
        if (fits(stretch)) {
            while (stretch < 98 && fits(stretch + 2))
                stretch += 2;
        } else {
            while (stretch > 50 && !fits(stretch - 2))
                stretch -= 2;
            stretch = std::max(stretch - 2, 50);
        }
        font.setStretch(stretch);
    }
    widget->setFont(font);
    widget->adjustSize();
}

void fitBefore(QLabel* label, int right) {
    fitBefore(label, right, {label->text()});
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
