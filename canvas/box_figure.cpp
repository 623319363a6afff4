#include "canvas/box_figure.h"

#include <cmath>

#include "canvas/parallel_paint.h"
#include "canvas/rounded_box.h"

namespace kreslix {

namespace {

using Real = long double;

// The outer region is what the pen covers together with the inside; the inner region is the
// inside. For a one-pixel pen both are the pixels whose centres lie in the path; for a wider
// pen the path grown and shrunk by half the pen width.
struct FigureRegions {
    RoundedBox outer, inner;
    bool innerEmpty = false;
    bool thin = false;
};

FigureRegions figureRegions(const BoxFigure& f, int penWidth) {
    const Int64 left = std::min(f.x1, f.x2), right = std::max(f.x1, f.x2);
    const Int64 top = std::min(f.y1, f.y2), bottom = std::max(f.y1, f.y2);
    // Odd widths run the path through the centres of the box's border pixels, even widths along
    // the box's edges.
    const Int64 shift = (penWidth % 2 != 0) ? 1 : 0;
    RoundedBox path;
    path.left = Real(2 * left + shift);
    path.right = Real(2 * right - shift);
    path.top = Real(2 * top + shift);
    path.bottom = Real(2 * bottom - shift);
    const Real halfWidth = (path.right - path.left) / 2;
    const Real halfHeight = (path.bottom - path.top) / 2;
    Real a = f.inscribedEllipse ? halfWidth : std::min(Real(f.cornerWidth), halfWidth);
    Real b = f.inscribedEllipse ? halfHeight : std::min(Real(f.cornerHeight), halfHeight);
    if (a <= 0 || b <= 0)
        a = b = 0;

    FigureRegions r;
    if (penWidth == 1) {
        // Half a pixel more on the corner ellipses keeps the extreme rows and columns of an
        // even-sized ellipse from coming out empty; the box still bounds them.
        r.outer = path;
        r.outer.insetX = a;
        r.outer.insetY = b;
        r.outer.radiusX = a > 0 ? a + 1 : 0;
        r.outer.radiusY = b > 0 ? b + 1 : 0;
        r.inner = r.outer;
        r.thin = true;
        return r;
    }
    const Real w = penWidth;
    r.outer = {path.left - w, path.right + w, path.top - w, path.bottom + w, a + w, b + w,
               a + w,         b + w,          true};
    const Real innerA = std::max(a - w, Real(0)), innerB = std::max(b - w, Real(0));
    r.inner = {path.left + w, path.right - w, path.top + w, path.bottom - w, innerA, innerB,
               innerA,        innerB,         false};
    r.innerEmpty = r.inner.left > r.inner.right || r.inner.top > r.inner.bottom;
    return r;
}

// The fill of a row: the inner region, kept off the outer region's boundary in this row and
// the rows next to it. Keeping the fill a pixel inside the neighbouring rows' outer runs keeps
// the outline 8-connected where it runs steeply.
ColumnRun fillRun(const FigureRegions& r, const ColumnRun& above, const ColumnRun& here,
                  const ColumnRun& below, Int64 y, int width) {
    if (r.innerEmpty || above.empty() || here.empty() || below.empty())
        return {};
    const ColumnRun inner = r.thin ? here : columnsInRow(r.inner, y, width);
    if (inner.empty())
        return {};
    return {std::max({inner.first, above.first, here.first + 1, below.first}),
            std::min({inner.last, above.last, here.last - 1, below.last})};
}

// Rows firstRow..lastRow of the figure; the rows just outside them are only looked at.
void drawBoxRows(SpanPainter& painter, const FigureRegions& regions, const Pen& pen,
                 const Brush& brush, Int64 firstRow, Int64 lastRow) {
    const int width = painter.width();
    const bool filled = brush.style() == bsSolid;
    ColumnRun above = columnsInRow(regions.outer, firstRow - 1, width);
    ColumnRun here = columnsInRow(regions.outer, firstRow, width);
    for (Int64 y = firstRow; y <= lastRow; ++y) {
        const ColumnRun below = columnsInRow(regions.outer, y + 1, width);
        const ColumnRun fill = fillRun(regions, above, here, below, y, width);
        painter.setColour(pen.colour(), pen.mode());
        if (fill.empty()) {
            painter.paintSpan(y, here.first, here.last);
        } else {
            painter.paintSpan(y, here.first, fill.first - 1);
            painter.paintSpan(y, fill.last + 1, here.last);
            if (filled) {
                painter.setColour(brush.colour(), pen.mode());
                painter.paintSpan(y, fill.first, fill.last);
            }
        }
        above = here;
        here = below;
    }
}

}  // namespace

void drawBoxFigure(SpanPainter& painter, const BoxFigure& f, const Pen& pen, const Brush& brush) {
    if (f.x1 == f.x2 || f.y1 == f.y2 || painter.height() == 0)
        return;
    const FigureRegions regions = figureRegions(f, std::max(pen.width(), 1));
    const Int64 firstRow = std::max<Int64>(
        clampToInt64(std::floor((regions.outer.top - 1) / 2), -1, painter.height()), 0);
    const Int64 lastRow = std::min<Int64>(
        clampToInt64(std::ceil((regions.outer.bottom - 1) / 2), -1, painter.height()),
        painter.height() - 1);
    // A row costs the columns it covers, about the shape's clipped width.
    const Int64 rowCost = std::clamp<Int64>(
        clampToInt64((regions.outer.right - regions.outer.left) / 2, 0, painter.width()), 1,
        painter.width());
    paintInParts(painter, firstRow, lastRow, rowCost + kRowOverhead,
                 [&](SpanPainter& part, Int64 from, Int64 to) {
                     drawBoxRows(part, regions, pen, brush, from, to);
                 });
}

}  // namespace kreslix
