#include "app/tool_glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace kreslix::glyphs {
namespace {

const QColor kInk(0, 0, 0);

QIcon paint(QSize size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    return QIcon(pixmap);
}

QIcon paint16(const std::function<void(QPainter&)>& draw) {
    return paint(QSize(16, 16), draw);
}

}  // namespace

QIcon toolLine() {
    return paint16([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.drawLine(2, 13, 13, 2);
    });
}

QIcon toolPencil() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.setBrush(QColor(255, 200, 0));
        p.drawPolygon(QPolygonF({{4, 14}, {2.5, 13.5}, {12, 2}, {14, 4}, {4.5, 15}}));
        p.setBrush(QColor(240, 200, 150));
        p.drawPolygon(QPolygonF({{2.5, 13.5}, {1, 15}, {4.5, 15}}));
    });
}

QIcon toolRectangle() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.drawRect(2, 3, 11, 9);
    });
}

QIcon toolEllipse() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawEllipse(QRectF(1.5, 3.5, 12, 9));
    });
}

QIcon toolRoundRect() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawRoundedRect(QRectF(1.5, 3.5, 12, 9), 3, 3);
    });
}

QIcon toolEraser() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(255, 255, 255));
        p.drawPolygon(QPolygon({{1, 10}, {7, 4}, {14, 4}, {8, 10}}));
        p.setBrush(QColor(255, 160, 160));
        p.drawPolygon(QPolygon({{1, 10}, {8, 10}, {8, 13}, {1, 13}}));
        p.drawPolygon(QPolygon({{8, 10}, {14, 4}, {14, 7}, {8, 13}}));
    });
}

QIcon toolSpray() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(2, 7, 6, 8);
        p.fillRect(4, 4, 2, 3, kInk);
        const QPoint dots[] = {{9, 2}, {12, 1}, {11, 4}, {14, 3}, {10, 6}, {13, 6}, {15, 5}};
        for (QPoint d : dots)
            p.drawPoint(d);
    });
}

QIcon toolBrush() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(150, 90, 30), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 1), QPointF(7, 9));
        p.setPen(kInk);
        p.setBrush(QColor(0, 0, 200));
        p.drawPolygon(QPolygonF({{6, 8}, {9, 10}, {5, 14}, {1.5, 15}, {3, 11}}));
    });
}

QIcon toolColourPicker() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.setBrush(QColor(200, 200, 255));
        p.drawPolygon(QPolygonF({{2, 14}, {2, 12}, {9, 5}, {11, 7}, {4, 14}}));
        p.setBrush(kInk);
        p.drawEllipse(QRectF(9.5, 1.5, 5, 5));
    });
}

QIcon widthStroke(int width) {
    return paint(QSize(31, 7),
                 [width](QPainter& p) { p.fillRect(QRect(2, (7 - width) / 2, 27, width), kInk); });
}

QIcon fillStyle(bool filled) {
    return paint(QSize(32, 16), [filled](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(filled ? QBrush(QColor(128, 128, 128)) : QBrush(Qt::NoBrush));
        p.drawRect(2, 2, 27, 11);
    });
}

}  // namespace kreslix::glyphs
