#include "app/glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace kreslix::glyphs {
namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShade(128, 128, 128);

QIcon paint16(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    return QIcon(pixmap);
}

void sheet(QPainter& p, int x, int y, int w, int h) {
    // A page with a folded top-right corner.
    QPolygon page;
    page << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
         << QPoint(x, y + h);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

}  // namespace

QIcon newPicture() {
    return paint16([](QPainter& p) { sheet(p, 3, 1, 10, 14); });
}

QIcon open() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(255, 255, 128));
        p.drawRect(1, 4, 12, 10);
        p.setBrush(QColor(192, 160, 0));
        p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 14), QPoint(1, 14)}));
        p.drawLine(9, 1, 12, 1);
        p.drawLine(12, 1, 14, 3);
    });
}

QIcon save() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(0, 0, 160));
        p.drawRect(1, 1, 14, 14);
        p.setBrush(kPaper);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(4, 10, 8, 5);
        p.fillRect(9, 2, 2, 4, kInk);
    });
}

QIcon print() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 6, 14, 6);
        p.setBrush(kPaper);
        p.drawRect(4, 10, 8, 5);
        p.fillRect(12, 8, 2, 1, QColor(0, 160, 0));
    });
}

QIcon cut() {
    return paint16([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10, 10));
        p.drawLine(QPointF(11, 1), QPointF(6, 10));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawEllipse(QPointF(5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11, 12.5), 2.5, 2.5);
    });
}

QIcon copy() {
    return paint16([](QPainter& p) {
        sheet(p, 1, 1, 8, 10);
        sheet(p, 6, 5, 8, 10);
    });
}

QIcon paste() {
    return paint16([](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(160, 112, 48));
        p.drawRect(1, 2, 10, 13);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(4, 1, 4, 3);
        sheet(p, 7, 6, 8, 9);
    });
}

QIcon application() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(230, 200, 140));
    p.drawEllipse(QRectF(2, 5, 27, 22));
    // The thumb hole is cut out and outlined; cheaper at start-up than subtracting the paths.
    const QRectF thumb(16, 17, 7, 6);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.drawEllipse(thumb);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(thumb);
    const QColor spots[] = {Qt::red, Qt::blue, Qt::green, Qt::yellow};
    const QPointF where[] = {{9, 11}, {15, 9}, {21, 11}, {8, 18}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(spots[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(where[i], 2.6, 2.6);
    }
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 2), QPointF(20, 16));
    p.setPen(QPen(kShade, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 16), QPointF(18.5, 18.5));
    return QIcon(pixmap);
}

}  // namespace kreslix::glyphs
