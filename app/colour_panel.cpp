#include "app/colour_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace kreslix {
namespace {

struct PaletteRow {
    const char* name;
    Colour colour;
};

// Row 1, then row 2, each left to right.
const PaletteRow kPalette[16] = {
    {"biela", 0x00FFFFFF},          {"siva", 0x00C0C0C0},       {"zlta", 0x0000FFFF},
    {"zelena", 0x0000FF00},         {"cervena", 0x000000FF},    {"modra", 0x00FF0000},
    {"ruzova", 0x00FF00FF},         {"tyrkysova", 0x00FFFF00},  {"cierna", 0x00000000},
    {"silnosiva", 0x00808080},      {"silnozlta", 0x00008080},  {"silnozelena", 0x00008000},
    {"silnocervena", 0x00000080},   {"silnomodra", 0x00800000}, {"fialova", 0x00800080},
    {"tmavotyrkysova", 0x00808000},
};

}  // namespace

ColourCell::ColourCell(const QString& name, Colour colour, QWidget* parent)
    : QFrame(parent), colour_(colour) {
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

void ColourCell::setColour(Colour colour) {
    colour_ = colour;
    update();
}

void ColourCell::paintEvent(QPaintEvent*) {
    // One painter for the colour and the frame: eighteen cells are painted at start-up.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(toPixel(colour_)));
    drawFrame(&painter);
}

void ColourCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ColourCell::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

ColourPanel::ColourPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OknoFarby"));
    setFixedHeight(kHeight);

    background_ = new ColourCell(QStringLiteral("FarbaPoz"), kWhite, this);
    background_->setFrameShape(QFrame::Panel);
    background_->setFrameShadow(QFrame::Raised);
    background_->setGeometry(10, 12, 41, 25);
    background_->setToolTip(QStringLiteral("Vybrať farbu pozadia"));
    foreground_ = new ColourCell(QStringLiteral("FarbaPop"), kBlack, background_);
    foreground_->setGeometry(6, 4, 29, 17);
    foreground_->setCursor(Qt::PointingHandCursor);
    foreground_->setToolTip(QStringLiteral("Vybrať farbu popredia"));
    connect(background_, &ColourCell::clicked, this, &ColourPanel::backgroundSwatchClicked);
    connect(foreground_, &ColourCell::clicked, this, &ColourPanel::foregroundSwatchClicked);

    for (int i = 0; i < 16; ++i) {
        const int column = i % 8;
        const int row = i / 8;
        auto* cell = new ColourCell(QLatin1String(kPalette[i].name), kPalette[i].colour, this);
        cell->setGeometry(64 + 32 * column, 8 + 16 * row, 33, 17);
        const Colour colour = kPalette[i].colour;
        connect(cell, &ColourCell::clicked, this, [this, colour] { emit paletteClicked(colour); });
    }
}

}  // namespace kreslix
