#pragma once

#include <QFrame>

#include "canvas/colour.h"

namespace kreslix {

// A plain coloured panel that reports clicks: a palette cell or a swatch.
class ColourCell : public QFrame {
    Q_OBJECT

public:
    ColourCell(const QString& name, Colour colour, QWidget* parent);

    Colour colour() const { return colour_; }
    // 0xFFFFFFFF, or any colour that is no real colour, shows black.
    void setColour(Colour colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Colour colour_;
};

// `OknoFarby`: the swatches `FarbaPoz` (a raised frame, background) around `FarbaPop`
// (foreground), and the sixteen palette panels in two rows overlapping by one pixel.
class ColourPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kHeight = 45;

    explicit ColourPanel(QWidget* parent);

    ColourCell* FarbaPop() const { return foreground_; }
    ColourCell* FarbaPoz() const { return background_; }

signals:
    void paletteClicked(Colour colour);
    void foregroundSwatchClicked();
    void backgroundSwatchClicked();

private:
    ColourCell* foreground_ = nullptr;
    ColourCell* background_ = nullptr;
};

}  // namespace kreslix
