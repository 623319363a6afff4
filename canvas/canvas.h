#pragma once

#include <QImage>
#include <QRect>
#include <functional>

#include "canvas/colour.h"
#include "canvas/pen_brush.h"

namespace kreslix {

struct BoxFigure;

// The drawing surface of one picture: a pen, a brush, a copy mode and a current position over
// the picture's pixels. Every operation changes each pixel it covers exactly once (outline and
// fill are disjoint, a wide stroke is one covered area), so drawing a figure twice in pmNotXor
// gives back every pixel. Everything outside the picture is clipped; any int coordinate and any
// pen width are accepted, and the work of an operation is bounded by the picture area it touches.
class Canvas {
public:
    // The picture must outlive the canvas; a picture of another format is converted to
    // QImage::Format_RGB32 in place. An empty (null or zero-sized) picture, or none, is allowed:
    // every operation then does nothing.
    explicit Canvas(QImage* picture);

    Pen& pen() { return pen_; }
    const Pen& pen() const { return pen_; }
    Brush& brush() { return brush_; }
    const Brush& brush() const { return brush_; }
    CopyMode copyMode() const { return copyMode_; }
    void setCopyMode(CopyMode m) { copyMode_ = m; }
    QPoint penPos() const { return penPos_; }

    int Width() const;
    int Height() const;

    // Gives the picture pixels of its own if it shares them, so that the next operations can't
    // fail for want of that copy. Throws KreslixError, with nothing changed, when it can't.
    void makeWritable();

    void MoveTo(int x, int y);
    // Draws from the current position to (x, y), the end pixel excluded for a one-pixel pen,
    // then moves the current position there. A line of zero length draws nothing.
    void LineTo(int x, int y);
    // Corners in either order; right and bottom edges exclusive; zero width or height: nothing.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    // Corners are quarters of an ellipse |w| wide and |h| high; 0 gives square corners.
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);

    // kOutsideColour outside the picture.
    Colour Pixels(int x, int y) const;
    // Sets one pixel in copy mode whatever the pen; ignored outside the picture.
    void SetPixels(int x, int y, Colour c);

    // Copies the graphic pixel for pixel with its top-left at (x, y), using the copy mode.
    void Draw(int x, int y, const QImage& graphic);
    // Copies sourceRect of the source canvas onto dest with the copy mode, stretching when the
    // sizes differ. The source may be this canvas.
    void CopyRect(const QRect& dest, const Canvas& source, const QRect& sourceRect);

    // Called after each operation with the part of the picture it changed (never empty).
    void setChangeListener(std::function<void(const QRect&)> listener) {
        listener_ = std::move(listener);
    }

private:
    bool hasPixels() const { return picture_ != nullptr && !picture_->isNull(); }
    void drawBox(const BoxFigure& figure);
    // Whiteness over the whole of a picture whose pixels are shared with another image.
    void whitenSharedPicture();
    // Tells the listener about a non-empty change.
    void changed(const QRect& r);

    QImage* picture_;
    Pen pen_;
    Brush brush_;
    CopyMode copyMode_ = cmSrcCopy;
    QPoint penPos_{0, 0};
    std::function<void(const QRect&)> listener_;
};

}  // namespace kreslix
