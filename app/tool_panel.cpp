#include "app/tool_panel.h"

#include <QButtonGroup>
#include <QToolButton>

#include "app/tool_glyphs.h"
#include "dialogs/spin_edit.h"
#include "dialogs/titled_frame.h"

namespace kreslix {
namespace {

struct ToolRow {
    const char* name;
    const char* hint;
    int left, top, width;
    QIcon (*glyph)();
};

// In tool-number order, 0 (line) to 8 (colour picker).
const ToolRow kTools[] = {
    {"CiaraTl", "Čiara", 8, 8, 25, glyphs::toolLine},
    {"Ceruzka", "Ceruzka", 8, 33, 25, glyphs::toolPencil},
    {"ObdlTl", "Obdĺžnik", 8, 83, 25, glyphs::toolRectangle},
    {"ElipsaTl", "elipsa", 8, 58, 25, glyphs::toolEllipse},
    {"ZaobObdlTl", "Zaoblený obdĺžnik", 33, 58, 25, glyphs::toolRoundRect},
    {"SpeedButton2", "Biela Guma", 33, 83, 25, glyphs::toolEraser},
    {"SpeedButton3", "Sprej", 33, 8, 24, glyphs::toolSpray},
    {"stete", "Štetec", 33, 33, 25, glyphs::toolBrush},
    {"SpeedButton4", "Kvapadlo", 8, 108, 25, glyphs::toolColourPicker},
};

const char* const kWidthNames[] = {"jeden", "dva", "tri", "styry", "pat"};

QToolButton* speedButton(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

ToolPanel::ToolPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OknoNastroje"));
    setFixedWidth(kWidth);
    // The unseen width field comes first: it is the window's first tab stop.
    penSize_ = new SpinEdit(0, 0, this);
    penSize_->setObjectName(QStringLiteral("PenSize"));
    penSize_->setGeometry(328, 8, 121, 22);
    buildToolButtons();
    buildWidthGroup();
    buildFillToggles();
}

void ToolPanel::buildToolButtons() {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int tool = 0; tool < 9; ++tool) {
        const ToolRow& row = kTools[tool];
        QToolButton* button =
            speedButton(this, QLatin1String(row.name), QRect(row.left, row.top, row.width, 25));
        button->setIcon(row.glyph());
        button->setToolTip(QString::fromUtf8(row.hint));
        group->addButton(button, tool);
    }
    group->button(0)->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, &ToolPanel::toolClicked);
}

void ToolPanel::buildWidthGroup() {
    auto* box = new TitledFrame(QStringLiteral("Hrúbka"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    box->setGeometry(8, 152, 49, 89);
    widthGroup_ = new QButtonGroup(this);
    widthGroup_->setExclusive(true);
    for (int n = 1; n <= 5; ++n) {
        QToolButton* button =
            speedButton(box, QLatin1String(kWidthNames[n - 1]), QRect(8, 8 + 8 * n, 33, 9));
        button->setIcon(glyphs::widthStroke(n));
        button->setIconSize(QSize(31, 7));
        button->setToolTip(QStringLiteral("Hrúbka čiarky: %1").arg(n));
        widthGroup_->addButton(button, n);
        widthButtons_[n - 1] = button;
    }
    // Pushed down for width 6 so that none of the visible buttons is; never seen.
    widthButtons_[5] = speedButton(box, QStringLiteral("dodatok"), QRect(40, 8, 7, 9));
    widthButtons_[5]->setVisible(false);
    widthGroup_->addButton(widthButtons_[5], 6);
    widthButtons_[0]->setChecked(true);
    connect(widthGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id <= 5)
            emit widthClicked(id);
    });

    hr_ = new SpinEdit(1, 99, box);
    hr_->setObjectName(QStringLiteral("hr"));
    hr_->setGeometry(4, 62, 41, 22);
    setTabOrder(penSize_, hr_);
}

void ToolPanel::buildFillToggles() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFrameShape(QFrame::Box);
    panel->setGeometry(8, 248, 49, 65);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    filledToggle_ = speedButton(panel, QStringLiteral("PlnyObj"), QRect(3, 8, 38, 22));
    filledToggle_->setIcon(glyphs::fillStyle(true));
    filledToggle_->setIconSize(QSize(32, 16));
    filledToggle_->setToolTip(QStringLiteral("Plný objekt"));
    emptyToggle_ = speedButton(panel, QStringLiteral("PrazdnyObj"), QRect(3, 32, 38, 22));
    emptyToggle_->setIcon(glyphs::fillStyle(false));
    emptyToggle_->setIconSize(QSize(32, 16));
    emptyToggle_->setToolTip(QStringLiteral("Prázdny objekt"));
    group->addButton(filledToggle_, 1);
    group->addButton(emptyToggle_, 0);
    filledToggle_->setChecked(true);
    showFillToggles(false);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { emit fillClicked(id == 1); });
}

void ToolPanel::pushWidthButton(int n) {
    if (n >= 1 && n <= 6)
        widthButtons_[n - 1]->setChecked(true);
}

void ToolPanel::showFillToggles(bool shown) {
    filledToggle_->setVisible(shown);
    emptyToggle_->setVisible(shown);
}

}  // namespace kreslix
