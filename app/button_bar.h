#pragma once

#include <QHash>
#include <QWidget>

class QToolButton;

namespace kreslix {

// `OknoTlacidla`: the top bar of flat 23 × 22 buttons with glyphs, hints and two dividers.
class ButtonBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 28;

    explicit ButtonBar(QWidget* parent);

    QToolButton* button(const QString& name) const { return buttons_.value(name); }

private:
    QHash<QString, QToolButton*> buttons_;
};

}  // namespace kreslix
