#include "app/colour_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/roving_focus.h"

namespace kreslix {
namespace {

struct PaletteRow {
    const char* name;
    Colour colour;
    const char* spoken;  // the colour's name for a screen reader
};

// Row 1, then row 2, each left to right.
const PaletteRow kPalette[16] = {
    {"biela", 0x00FFFFFF, "biela"},
    {"siva", 0x00C0C0C0, "strieborná"},
    {"zlta", 0x0000FFFF, "žltá"},
    {"zelena", 0x0000FF00, "svetlozelená"},
    {"cervena", 0x000000FF, "červená"},
    {"modra", 0x00FF0000, "modrá"},
    {"ruzova", 0x00FF00FF, "ružová"},
    {"tyrkysova", 0x00FFFF00, "tyrkysová"},
    {"cierna", 0x00000000, "čierna"},
    {"silnosiva", 0x00808080, "sivá"},
    {"silnozlta", 0x00008080, "olivová"},
    {"silnozelena", 0x00008000, "zelená"},
    {"silnocervena", 0x00000080, "tmavočervená"},
    {"silnomodra", 0x00800000, "tmavomodrá"},
    {"fialova", 0x00800080, "fialová"},
    {"tmavotyrkysova", 0x00808000, "tmavotyrkysová"},
};

}  // namespace

QString spokenColour(Colour colour) {
    // As the swatch shows it: a colour that is no real colour is black.
    const QRgb shown = toPixel(colour);
    for (const PaletteRow& row : kPalette) {
        if (toPixel(row.colour) == shown)
            return QString::fromUtf8(row.spoken);
    }
    return QStringLiteral("červená %1, zelená %2, modrá %3")
        .arg(qRed(shown))
        .arg(qGreen(shown))
        .arg(qBlue(shown));
}

ColourCell::ColourCell(const QString& name, Colour colour, QWidget* parent)
    : QFrame(parent), colour_(colour) {
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setFocusPolicy(Qt::TabFocus);
}

void ColourCell::setColour(Colour colour) {
    colour_ = colour;
    update();
    updateDescription();
}

void ColourCell::describeColour(const QString& label) {
    colourLabel_ = label;
    updateDescription();
}

void ColourCell::updateDescription() {
    if (!colourLabel_.isEmpty())
        setAccessibleDescription(colourLabel_ + QStringLiteral(": ") + spokenColour(colour_));
}

void ColourCell::activate() {
    if (guard_.check())
        emit clicked();
}

void ColourCell::paintEvent(QPaintEvent*) {
    // One painter for the colour and the frame: eighteen cells are painted at start-up.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(toPixel(colour_)));
    drawFrame(&painter);
    if (hasFocus()) {
        const QRect inner = rect().adjusted(2, 2, -3, -3);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(inner);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(inner);
    }
}

void ColourCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ColourCell::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ColourCell::keyPressEvent(QKeyEvent* event) {
    if (!isChoosingKey(event))
        return QFrame::keyPressEvent(event);
    if (!event->isAutoRepeat())
        activate();
}

ColourPanel::ColourPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OknoFarby"));
    setAccessibleName(QStringLiteral("Ponuka farieb"));
    setFixedHeight(kHeight);

    background_ = new ColourCell(QStringLiteral("FarbaPoz"), kWhite, this);
    background_->setFrameShape(QFrame::Panel);
    background_->setFrameShadow(QFrame::Raised);
    background_->setGeometry(10, 12, 41, 25);
    background_->setToolTip(QStringLiteral("Vybrať farbu pozadia"));
    background_->setAccessibleName(background_->toolTip());
    background_->describeColour(QStringLiteral("Farba pozadia"));
    foreground_ = new ColourCell(QStringLiteral("FarbaPop"), kBlack, background_);
    foreground_->setGeometry(6, 4, 29, 17);
    foreground_->setCursor(Qt::PointingHandCursor);
    foreground_->setToolTip(QStringLiteral("Vybrať farbu popredia"));
    foreground_->setAccessibleName(foreground_->toolTip());
    foreground_->describeColour(QStringLiteral("Farba popredia"));
    // The foreground first, as it comes first in the menu.
    setTabOrder(foreground_, background_);
    connect(background_, &ColourCell::clicked, this, &ColourPanel::backgroundSwatchClicked);
    connect(foreground_, &ColourCell::clicked, this, &ColourPanel::foregroundSwatchClicked);

    auto* palette = new RovingFocus(this);
    for (int i = 0; i < 16; ++i) {
        const int column = i % 8;
        const int row = i / 8;
        auto* cell = new ColourCell(QLatin1String(kPalette[i].name), kPalette[i].colour, this);
        cell->setGeometry(64 + 32 * column, 8 + 16 * row, 33, 17);
        cell->setAccessibleName(QString::fromUtf8(kPalette[i].spoken));
        cell->setAccessibleDescription(QStringLiteral("Nastaví farbu popredia"));
        palette->add(cell);
        const Colour colour = kPalette[i].colour;
        connect(cell, &ColourCell::clicked, this, [this, colour] { emit paletteClicked(colour); });
    }
    palette->setCurrent(findChild<ColourCell*>(QStringLiteral("biela")));
}

void ColourPanel::setGuard(const ChoiceGuard& guard) {
    for (ColourCell* cell : findChildren<ColourCell*>())
        cell->setGuard(guard);
}

}  // namespace kreslix
