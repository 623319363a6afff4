#pragma once

#include <QGroupBox>

namespace kreslix {

// A group box drawn the classic way: its frame starts half a text line below the box's top,
// and the title interrupts the frame's top line near its left end. The controls placed in the
// box from its top-left corner then lie inside the frame, as their designed positions intend,
// whatever the style does with its own group boxes.
class TitledFrame : public QGroupBox {
    Q_OBJECT

public:
    TitledFrame(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kreslix
