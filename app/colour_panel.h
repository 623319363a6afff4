#pragma once

#include <QFrame>

#include "app/choice_guard.h"
#include "canvas/colour.h"

namespace kreslix {

// A plain coloured panel that reports clicks: a palette cell or a swatch. From the keyboard,
// Space clicks it; the one with the focus shows a dashed frame in black and white, seen on any
// colour.
class ColourCell : public QFrame {
    Q_OBJECT

public:
    ColourCell(const QString& name, Colour colour, QWidget* parent);

    Colour colour() const { return colour_; }
    // 0xFFFFFFFF, or any colour that is no real colour, shows black.
    void setColour(Colour colour);
    // Where the description tells the colour (a swatch): it starts with `label`.
    void describeColour(const QString& label);
    void setGuard(ChoiceGuard guard) { guard_ = std::move(guard); }

public slots:
    // A click from the keyboard or from assistive technology, if the guard allows.
    void activate();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateDescription();

    Colour colour_;
    QString colourLabel_;
    ChoiceGuard guard_;
};

// The name a screen reader says for a colour: the palette's name of it, or its three parts.
QString spokenColour(Colour colour);

// `OknoFarby`: the swatches `FarbaPoz` (a raised frame, background) around `FarbaPop`
// (foreground), and the sixteen palette panels in two rows overlapping by one pixel. The
// palette is one stop of the Tab key, its cells reached with the arrow keys.
class ColourPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kHeight = 45;

    explicit ColourPanel(QWidget* parent);

    ColourCell* FarbaPop() const { return foreground_; }
    ColourCell* FarbaPoz() const { return background_; }

    // Keyboard and assistive-technology clicks on the cells and swatches ask this guard.
    void setGuard(const ChoiceGuard& guard);

signals:
    void paletteClicked(Colour colour);
    void foregroundSwatchClicked();
    void backgroundSwatchClicked();

private:
    ColourCell* foreground_ = nullptr;
    ColourCell* background_ = nullptr;
};

}  // namespace kreslix
