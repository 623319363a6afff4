#pragma once

#include <QObject>

#include "canvas/colour.h"

namespace kreslix {

// The tool numbers of `CurrentTool`.
enum Tool : quint8 {
    kLine = 0,
    kPencil = 1,
    kRectangle = 2,
    kEllipse = 3,
    kRoundRect = 4,
    kEraser = 5,
    kSpray = 6,
    kBrush = 7,
    kColourPicker = 8,
};

// Whether choosing the tool shows the filled/outline toggles.
constexpr bool showsFillToggles(quint8 tool) {
    return tool == kRectangle || tool == kEllipse || tool == kRoundRect;
}

// The current tool and the two colour swatches: `FarbaPop` (foreground) and `FarbaPoz`
// (background). The swatch widgets show these colours; the eraser reads them back.
class ToolState : public QObject {
    Q_OBJECT

public:
    quint8 CurrentTool = kLine;

    Colour foreground() const { return foreground_; }
    Colour background() const { return background_; }
    void setForeground(Colour c);
    void setBackground(Colour c);

signals:
    void foregroundChanged(Colour c);
    void backgroundChanged(Colour c);

private:
    Colour foreground_ = kBlack;
    Colour background_ = kWhite;
};

}  // namespace kreslix
