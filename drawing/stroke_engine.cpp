#include "drawing/stroke_engine.h"

#include <climits>

namespace kreslix {
namespace {

// Half of a corner-to-corner distance, truncated toward zero; exact for any two ints.
int halfDifference(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) - b) / 2);
}

bool isShape(quint8 tool) {
    return tool == kLine || tool == kRectangle || tool == kEllipse || tool == kRoundRect;
}

}  // namespace

void StrokeEngine::FormMouseDown(int x, int y) {
    // A stroke opens only on pixels it may write, so none of its steps fails half-way for want
    // of memory (a picture shared with the clipboard needs a copy of its own first).
    if (tools_.CurrentTool != kColourPicker)
        target_.canvas().makeWritable();
    Pressed = true;
    target_.canvas().MoveTo(x, y);
    StartPoint = QPoint(x, y);
    LastPoint = QPoint(x, y);
    // A preview of an earlier stroke left open stays on the picture: it is no longer this
    // stroke's to take off.
    preview_.reset();
}

void StrokeEngine::FormMouseMove(int x, int y) {
    if (!Pressed)
        return;
    DrawStep(StartPoint, LastPoint, pmNotXor);
    LastPoint = QPoint(x, y);
    DrawStep(StartPoint, LastPoint, pmNotXor);
    const Canvas& canvas = target_.canvas();
    if (isShape(tools_.CurrentTool))
        preview_ = Preview{tools_.CurrentTool, canvas.pen(), canvas.brush()};
    else
        preview_.reset();
}

void StrokeEngine::FormMouseUp(int x, int y) {
    if (!Pressed)
        return;
    DrawStep(StartPoint, QPoint(x, y), pmCopy);
    Pressed = false;
    preview_.reset();
}

void StrokeEngine::cancelStroke() {
    if (!Pressed)
        return;
    Pressed = false;
    Canvas& canvas = target_.canvas();
    if (preview_) {
        const Pen pen = canvas.pen();
        const Brush brush = canvas.brush();
        canvas.pen() = preview_->pen;
        canvas.brush() = preview_->brush;
        drawWith(preview_->tool, StartPoint, LastPoint, pmNotXor);
        canvas.pen() = pen;
        canvas.brush() = brush;
        preview_.reset();
    }
    canvas.pen().setMode(pmCopy);
}

void StrokeEngine::DrawStep(QPoint start, QPoint end, PenMode mode) {
    drawWith(tools_.CurrentTool, start, end, mode);
}

void StrokeEngine::drawWith(quint8 tool, QPoint start, QPoint end, PenMode mode) {
    target_.enableSaveButton();
    Canvas& canvas = target_.canvas();
    switch (tool) {
        case kLine:
            canvas.pen().setMode(mode);
            canvas.MoveTo(start.x(), start.y());
            canvas.LineTo(end.x(), end.y());
            break;
        case kPencil: {
            const int width = canvas.pen().width();
            canvas.pen().setWidth(1);
            canvas.LineTo(end.x(), end.y());
            canvas.pen().setWidth(width);
            break;
        }
        case kRectangle:
            canvas.pen().setMode(mode);
            canvas.Rectangle(start.x(), start.y(), end.x(), end.y());
            break;
        case kEllipse:
            canvas.pen().setMode(mode);
            canvas.Ellipse(start.x(), start.y(), end.x(), end.y());
            break;
        case kRoundRect:
            canvas.pen().setMode(mode);
            canvas.RoundRect(start.x(), start.y(), end.x(), end.y(),
                             halfDifference(start.x(), end.x()),
                             halfDifference(start.y(), end.y()));
            break;
        case kEraser:
            erase(canvas, end);
            return;
        case kSpray:
            sprayDots(canvas, end);
            return;
        case kBrush:
            canvas.LineTo(end.x(), end.y());
            break;
        case kColourPicker:
            canvas.pen().setMode(mode);
            canvas.pen().setColour(canvas.Pixels(end.x(), end.y()));
            tools_.setForeground(canvas.Pixels(end.x(), end.y()));
            return;
        default:
            return;
    }
    target_.setModified();
}

void StrokeEngine::erase(Canvas& canvas, QPoint end) {
    const BrushStyle style = canvas.brush().style();
    canvas.brush().setStyle(bsSolid);
    // Six times the width, computed wide: the widest pen there is covers everything anyway.
    const long long wide = 6LL * canvas.pen().width();
    canvas.pen().setWidth(wide > INT_MAX ? INT_MAX : static_cast<int>(wide));
    canvas.pen().setColour(kWhite);
    canvas.brush().setColour(kWhite);
    canvas.LineTo(end.x(), end.y());
    canvas.pen().setColour(tools_.foreground());
    canvas.brush().setColour(tools_.background());
    canvas.pen().setWidth(target_.widthFieldValue());
    canvas.brush().setStyle(style);
    target_.setModified();
}

std::uint32_t StrokeEngine::sprayRange() {
    // Twice the width field, read as an unsigned 32-bit number: a width below 0 gives a huge
    // range whose dots fall outside the picture, 0 puts every dot on the cursor.
    return 2u * static_cast<std::uint32_t>(target_.widthFieldValue());
}

void StrokeEngine::sprayDots(Canvas& canvas, QPoint end) {
    for (int pass = 0; pass < 10; ++pass) {
        for (int dot = 0; dot < 4; ++dot) {
            const Colour colour = canvas.pen().colour();
            const long long dy = spray_.draw(sprayRange());
            const long long dx = spray_.draw(sprayRange());
            const long long x = end.x() - dx;
            const long long y = end.y() - dy;
            if (x >= INT_MIN && y >= INT_MIN) {
                canvas.SetPixels(static_cast<int>(x), static_cast<int>(y), colour);
            }
        }
        target_.setModified();
    }
}

}  // namespace kreslix
