#include "dialogs/dialog_labels.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

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
    const QString& text = label->text();
    auto fits = [&](int stretch) {
        font.setStretch(stretch);
        return QFontMetrics(font).horizontalAdvance(text) <= room;
    };
    // The widest stretch (from 100 % down to half width, in steps of 2 %) at which the text
    // fits. Every stretch tried loads a font of its own, so the search starts where the widths
    // say it ends, which they say closely (a narrowed face is the same face scaled), and goes
    // down or up from there by single steps: one or two fonts instead of one for every step.
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    if (natural > room && natural > 0) {
        int stretch = std::clamp(int(qint64(100) * room / natural) & ~1, 50, 100);
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
    label->setFont(font);
    label->adjustSize();
}

namespace {

// Waits for the dialog's first show event, runs the fitting and goes.
class FittingAtFirstShow : public QObject {
public:
    FittingAtFirstShow(QWidget* dialog, std::function<void()> fit)
        : QObject(dialog), fit_(std::move(fit)) {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            fit_();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> fit_;
};

}  // namespace

void fitWhenFirstShown(QWidget* dialog, std::function<void()> fit) {
    new FittingAtFirstShow(dialog, std::move(fit));
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
