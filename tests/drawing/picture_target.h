#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

#include "drawing/stroke_engine.h"

namespace kreslix::testing {

// A small picture with its canvas, the width field, the Save button and the modified flag: all
// a stroke needs from the window, with a spray generator of its own that starts fresh.
class PictureTarget : public DrawingTarget {
public:
    PictureTarget(int width, int height, Colour fill = kWhite);
    PictureTarget(const PictureTarget&) = delete;
    PictureTarget& operator=(const PictureTarget&) = delete;

    Canvas& canvas() override { return pictureCanvas; }
    int widthFieldValue() const override { return hr; }
    void enableSaveButton() override { saveEnabled = true; }
    void setModified() override { modified = true; }

    Colour at(int x, int y) const { return fromPixel(image.pixel(x, y)); }
    // Press, the moves, and the release, all with the current tool.
    void stroke(QPoint from, const std::vector<QPoint>& moves, QPoint to);

    QImage image;
    int hr = 1;
    bool saveEnabled = false;
    bool modified = false;
    ToolState tools;
    SprayGenerator spray;
    Canvas pictureCanvas{&image};
    StrokeEngine engine{tools, *this, spray};
};

// A picture filled with one colour.
QImage filledPicture(int width, int height, Colour fill);
// A picture of vertical stripes of varied colours, so not-xor traces can't hide.
QImage stripedPicture(int width, int height);
void setPixel(QImage& image, int x, int y, Colour c);
// The pixels that differ between two pictures of the same size, as "x,y" texts.
std::vector<std::string> differences(const QImage& a, const QImage& b);

}  // namespace kreslix::testing
