#include "canvas/canvas.h"

#include <cstdlib>
#include <new>

#include "canvas/block_copy.h"
#include "canvas/box_figure.h"
#include "canvas/picture_memory.h"
#include "canvas/thin_line.h"
#include "canvas/wide_line.h"

namespace kreslix {

Canvas::Canvas(QImage* picture) : picture_(picture) {
    if (hasPixels() && picture_->format() != QImage::Format_RGB32) {
        *picture_ = picture_->convertToFormat(QImage::Format_RGB32);
    }
}

int Canvas::Width() const {
    return hasPixels() ? picture_->width() : 0;
}

int Canvas::Height() const {
    return hasPixels() ? picture_->height() : 0;
}

void Canvas::makeWritable() {
    if (hasPixels())
        makePictureWritable(*picture_);
}

void Canvas::MoveTo(int x, int y) {
    penPos_ = QPoint(x, y);
}

void Canvas::LineTo(int x, int y) {
    if (hasPixels()) {
        // The painter comes first: when it can't have the pixels, nothing changes, the current
        // position neither.
        SpanPainter painter(picture_);
        painter.setColour(pen_.colour(), pen_.mode());
        if (pen_.width() <= 1) {
            drawThinLine(painter, penPos_.x(), penPos_.y(), x, y);
        } else {
            drawWideLine(painter, penPos_.x(), penPos_.y(), x, y, pen_.width());
        }
        changed(painter.changedRect());
    }
    penPos_ = QPoint(x, y);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    drawBox({x1, y1, x2, y2});
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    BoxFigure figure{x1, y1, x2, y2};
    figure.inscribedEllipse = true;
    drawBox(figure);
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    // A corner ellipse w pixels wide has semi-axis w / 2, that is w in doubled coordinates.
    drawBox({x1, y1, x2, y2, std::llabs(Int64(w)), std::llabs(Int64(h))});
}

void Canvas::drawBox(const BoxFigure& figure) {
    if (!hasPixels())
        return;
    SpanPainter painter(picture_);
    drawBoxFigure(painter, figure, pen_, brush_);
    changed(painter.changedRect());
}

Colour Canvas::Pixels(int x, int y) const {
    if (!hasPixels() || x < 0 || y < 0 || x >= picture_->width() || y >= picture_->height()) {
        return kOutsideColour;
    }
    return fromPixel(reinterpret_cast<const QRgb*>(picture_->constScanLine(y))[x]);
}

void Canvas::SetPixels(int x, int y, Colour c) {
    if (!hasPixels() || x < 0 || y < 0 || x >= picture_->width() || y >= picture_->height()) {
        return;
    }
    SpanPainter painter(picture_);
    painter.setColour(c, pmCopy);
    painter.paintPixel(x, y);
    changed(painter.changedRect());
}

void Canvas::Draw(int x, int y, const QImage& graphic) {
    if (!hasPixels() || graphic.isNull())
        return;
    // Holding the graphic's pixels here makes writing to the picture detach from them, so a
    // graphic that is the picture itself is read unchanged.
    const QImage source = graphic.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        throw std::bad_alloc();
    const Block whole{0, 0, source.width(), source.height()};
    SpanPainter painter(picture_);
    copyBlock(painter, source, whole, {x, y, source.width(), source.height()}, copyMode_);
    changed(painter.changedRect());
}

void Canvas::CopyRect(const QRect& dest, const Canvas& source, const QRect& sourceRect) {
    if (!hasPixels())
        return;
    if (copyMode_ == cmWhiteness && dest.contains(picture_->rect()) && !picture_->isDetached()) {
        whitenSharedPicture();
        return;
    }
    Block from = Block::fromRect(sourceRect);
    QImage pixels;
    if (copyMode_ != cmWhiteness && source.hasPixels()) {
        // Only the part of the source inside its picture is read, copied first because the
        // source may be this very canvas.
        const QRect inside = sourceRect.intersected(source.picture_->rect());
        if (!inside.isEmpty()) {
            pixels = source.picture_->copy(inside);
            if (pixels.isNull())
                throw std::bad_alloc();
        }
        from.left -= inside.left();
        from.top -= inside.top();
    }
    SpanPainter painter(picture_);
    copyBlock(painter, pixels, from, Block::fromRect(dest), copyMode_);
    changed(painter.changedRect());
}

void Canvas::whitenSharedPicture() {
    // The old pixels stay with whoever shares them (the clipboard after a Copy); copying them
    // for the picture only to paint over them would double the work.
    QImage white = allocateRgb32(picture_->width(), picture_->height());
    if (white.isNull())
        failNoMemoryForChange(*picture_);
    white.fill(toPixel(kWhite));
    *picture_ = std::move(white);
    changed(picture_->rect());
}

void Canvas::changed(const QRect& r) {
    if (!r.isEmpty() && listener_)
        listener_(r);
}

}  // namespace kreslix
