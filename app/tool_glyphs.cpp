#include "app/tool_glyphs.h"

#include <QPainter>

#include "app/glyph_ink.h"

namespace kreslix::glyphs {
namespace {

QIcon paint16(const QPalette& palette,
              const std::function<void(QPainter&, const GlyphInk&)>& draw) {
    return drawnGlyph(QSize(16, 16), palette, draw);
}

}  // namespace

QIcon toolLine(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(QPen(c.ink, 1));
        p.drawLine(2, 13, 13, 2);
    });
}

QIcon toolPencil(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(c.ink);
        p.setBrush(QColor(255, 200, 0));
        p.drawPolygon(QPolygonF({{4, 14}, {2.5, 13.5}, {12, 2}, {14, 4}, {4.5, 15}}));
        p.setBrush(QColor(240, 200, 150));
        p.drawPolygon(QPolygonF({{2.5, 13.5}, {1, 15}, {4.5, 15}}));
    });
}

QIcon toolRectangle(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.drawRect(2, 3, 11, 9);
    });
}

QIcon toolEllipse(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(c.ink);
        p.drawEllipse(QRectF(1.5, 3.5, 12, 9));
    });
}

QIcon toolRoundRect(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(c.ink);
        p.drawRoundedRect(QRectF(1.5, 3.5, 12, 9), 3, 3);
    });
}

QIcon toolEraser(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(QColor(255, 255, 255));
        p.drawPolygon(QPolygon({{1, 10}, {7, 4}, {14, 4}, {8, 10}}));
        p.setBrush(QColor(255, 160, 160));
        p.drawPolygon(QPolygon({{1, 10}, {8, 10}, {8, 13}, {1, 13}}));
        p.drawPolygon(QPolygon({{8, 10}, {14, 4}, {14, 7}, {8, 13}}));
    });
}

QIcon toolSpray(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(2, 7, 6, 8);
        p.fillRect(4, 4, 2, 3, c.ink);
        const QPoint dots[] = {{9, 2}, {12, 1}, {11, 4}, {14, 3}, {10, 6}, {13, 6}, {15, 5}};
        for (QPoint d : dots)
            p.drawPoint(d);
    });
}

QIcon toolBrush(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(c.ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 1), QPointF(7, 9));
        p.setPen(c.ink);
        p.setBrush(QColor(0, 0, 200));
        p.drawPolygon(QPolygonF({{6, 8}, {9, 10}, {5, 14}, {1.5, 15}, {3, 11}}));
    });
}

QIcon toolColourPicker(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(c.ink);
        p.setBrush(QColor(200, 200, 255));
        p.drawPolygon(QPolygonF({{2, 14}, {2, 12}, {9, 5}, {11, 7}, {4, 14}}));
        p.setBrush(c.ink);
        p.drawEllipse(QRectF(9.5, 1.5, 5, 5));
    });
}

QIcon widthStroke(int width, const QPalette& palette) {
    return drawnGlyph(QSize(31, 7), palette, [width](QPainter& p, const GlyphInk& c) {
        p.fillRect(QRect(2, (7 - width) / 2, 27, width), c.ink);
    });
}

QIcon fillStyle(bool filled, const QPalette& palette) {
    return drawnGlyph(QSize(32, 16), palette, [filled](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        // The filled box is hatched in the ink, so that it reads as filled on any theme.
        p.setBrush(filled ? QBrush(c.ink, Qt::Dense4Pattern) : QBrush(Qt::NoBrush));
        p.drawRect(2, 2, 27, 11);
    });
}

}  // namespace kreslix::glyphs
