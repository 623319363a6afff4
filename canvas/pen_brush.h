#pragma once

#include "canvas/colour.h"

namespace kreslix {

enum PenMode : int { pmCopy = 4, pmNotXor = 15 };
enum PenStyle : int { psSolid = 0 };
enum BrushStyle : int { bsSolid = 0, bsClear = 1 };
enum CopyMode : unsigned { cmSrcCopy = 0x00CC0020u, cmWhiteness = 0x00FF0062u };

class Pen {
public:
    Colour colour() const { return colour_; }
    void setColour(Colour c) { colour_ = c; }

    int width() const { return width_; }
    // A negative width is ignored; 0 and 1 both draw one-pixel lines.
    void setWidth(int w) {
        if (w >= 0)
            width_ = w;
    }

    PenStyle style() const { return style_; }
    void setStyle(PenStyle s) { style_ = s; }

    PenMode mode() const { return mode_; }
    void setMode(PenMode m) { mode_ = m; }

private:
    Colour colour_ = kBlack;
    int width_ = 1;
    PenStyle style_ = psSolid;
    PenMode mode_ = pmCopy;
};

// The brush couples its colour and style: a clear brush is white, and colouring it makes it solid.
class Brush {
public:
    Colour colour() const { return colour_; }
    void setColour(Colour c) {
        colour_ = c;
        if (style_ == bsClear)
            style_ = bsSolid;
    }

    BrushStyle style() const { return style_; }
    void setStyle(BrushStyle s) {
        style_ = s;
        if (s == bsClear)
            colour_ = kWhite;
    }

private:
    Colour colour_ = kWhite;
    BrushStyle style_ = bsSolid;
};

}  // namespace kreslix
