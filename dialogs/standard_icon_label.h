#pragma once

#include <QLabel>
#include <QStyle>

namespace kreslix {

// A label that shows one of the style's standard icons (the question of a prompt, say). The
// icon is looked up when the label is first shown, not when it is made: the first lookup reads
// the system's icon themes, which took a quarter of the program's start while the prompts are
// made at start-up and may never be shown.
class StandardIconLabel : public QLabel {
    Q_OBJECT

public:
    StandardIconLabel(QStyle::StandardPixmap icon, int size, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QStyle::StandardPixmap icon_;
    int size_;
};

}  // namespace kreslix
