#pragma once

#include <QPoint>
#include <optional>

#include "canvas/canvas.h"
#include "drawing/spray_generator.h"
#include "drawing/tool_state.h"

namespace kreslix {

// What a drawing step needs from the window around it.
class DrawingTarget {
public:
    virtual ~DrawingTarget() = default;
    virtual Canvas& canvas() = 0;
    // The value of the width field `hr`, as its text reads now.
    virtual int widthFieldValue() const = 0;
    // `TlacitkoUloz` enabled.
    virtual void enableSaveButton() = 0;
    // The document's modified flag ← 1.
    virtual void setModified() = 0;
};

// Turns the picture's mouse events into drawing with the current tool. Shapes are previewed
// in pmNotXor (drawing the previous preview again restores the pixels under it) and drawn for
// good in pmCopy at the release; freehand tools and the spray draw on every move.
class StrokeEngine {
public:
    StrokeEngine(ToolState& tools, DrawingTarget& target,
                 SprayGenerator& spray = processSprayGenerator())
        : tools_(tools), target_(target), spray_(spray) {}

    bool Pressed = false;
    QPoint StartPoint;
    QPoint LastPoint;

    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);
    void DrawStep(QPoint start, QPoint end, PenMode mode);

    // Ends an open stroke without drawing it: a shape's preview is taken off the picture by
    // drawing it once more in pmNotXor with the tool, pen and brush it was drawn with, and the
    // stroke is forgotten, so that a command sees the picture without it and later moves draw
    // nothing. The pen is left in pmCopy, as a stroke ended by its release leaves it.
    void cancelStroke();

private:
    // The figure of the latest preview, and how it was drawn.
    struct Preview {
        quint8 tool;
        Pen pen;
        Brush brush;
    };

    void drawWith(quint8 tool, QPoint start, QPoint end, PenMode mode);
    void erase(Canvas& canvas, QPoint end);
    void sprayDots(Canvas& canvas, QPoint end);
    std::uint32_t sprayRange();

    ToolState& tools_;
    DrawingTarget& target_;
    SprayGenerator& spray_;
    std::optional<Preview> preview_;
};

}  // namespace kreslix
