#include "app/glyphs.h"

#include <QPainter>

#include "app/glyph_ink.h"

namespace kreslix::glyphs {
namespace {

QIcon paint16(const QPalette& palette,
              const std::function<void(QPainter&, const GlyphInk&)>& draw) {
    return drawnGlyph(QSize(16, 16), palette, draw);
}

void sheet(QPainter& p, const GlyphInk& c, int x, int y, int w, int h) {
    // A page with a folded top-right corner.
    QPolygon page;
    page << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
         << QPoint(x, y + h);
    p.setPen(c.ink);
    p.setBrush(c.paper);
    p.drawPolygon(page);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

}  // namespace

QIcon newPicture(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) { sheet(p, c, 3, 1, 10, 14); });
}

QIcon open(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(QColor(255, 255, 128));
        p.drawRect(1, 4, 12, 10);
        p.setBrush(QColor(192, 160, 0));
        p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 14), QPoint(1, 14)}));
        p.drawLine(9, 1, 12, 1);
        p.drawLine(12, 1, 14, 3);
    });
}

QIcon save(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(QColor(0, 0, 160));
        p.drawRect(1, 1, 14, 14);
        p.setBrush(c.paper);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(4, 10, 8, 5);
        p.fillRect(9, 2, 2, 4, c.ink);
    });
}

QIcon print(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(c.paper);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 6, 14, 6);
        p.setBrush(c.paper);
        p.drawRect(4, 10, 8, 5);
        p.fillRect(12, 8, 2, 1, QColor(0, 160, 0));
    });
}

QIcon cut(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(c.ink, 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10, 10));
        p.drawLine(QPointF(11, 1), QPointF(6, 10));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c.ink, 1.5));
        p.drawEllipse(QPointF(5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11, 12.5), 2.5, 2.5);
    });
}

QIcon copy(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        sheet(p, c, 1, 1, 8, 10);
        sheet(p, c, 6, 5, 8, 10);
    });
}

QIcon paste(const QPalette& palette) {
    return paint16(palette, [](QPainter& p, const GlyphInk& c) {
        p.setPen(c.ink);
        p.setBrush(QColor(160, 112, 48));
        p.drawRect(1, 2, 10, 13);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(4, 1, 4, 3);
        sheet(p, c, 7, 6, 8, 9);
    });
}

}  // namespace kreslix::glyphs
