#include "app/tool_panel.h"

#include <QLineEdit>

#include "app/choice_button.h"
#include "app/choice_group.h"
#include "app/roving_focus.h"
#include "app/tool_glyphs.h"
#include "dialogs/spin_edit.h"
#include "dialogs/titled_frame.h"

namespace kreslix {
namespace {

struct ToolRow {
    const char* name;
    const char* hint;
    int left, top, width;
    QIcon (*glyph)(const QPalette&);
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

ChoiceButton* speedButton(QWidget* parent, const QString& name, const QString& hint,
                          ChoiceButton::Glyph glyph, const QRect& geometry) {
    auto* button = new ChoiceButton(name, hint, std::move(glyph), parent);
    button->setGeometry(geometry);
    return button;
}

void nameField(SpinEdit* field, const QString& name) {
    field->setAccessibleName(name);
    field->lineEdit()->setAccessibleName(name);
}

}  // namespace

ToolPanel::ToolPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OknoNastroje"));
    setAccessibleName(QStringLiteral("Panel s nástrojmi"));
    setFixedWidth(kWidth);
    // The unseen width field comes first: it is the window's first tab stop.
    penSize_ = new SpinEdit(0, 0, this);
    penSize_->setObjectName(QStringLiteral("PenSize"));
    penSize_->setGeometry(328, 8, 121, 22);
    nameField(penSize_, QStringLiteral("Hrúbka pera"));
    buildToolButtons();
    buildWidthGroup();
    buildFillToggles();
}

// One Tab stop for the buttons, entered at the one that is down.
ChoiceGroup* ToolPanel::roving(const QList<ChoiceButton*>& buttons) {
    auto* group = new ChoiceGroup(this);
    auto* focus = new RovingFocus(this);
    for (ChoiceButton* button : buttons)
        focus->add(button);
    connect(group, &QButtonGroup::buttonToggled, focus, [focus](QAbstractButton* b, bool down) {
        if (down)
            focus->setCurrent(b);
    });
    return group;
}

void ToolPanel::buildToolButtons() {
    QList<ChoiceButton*> buttons;
    for (const ToolRow& row : kTools) {
        buttons << speedButton(this, QLatin1String(row.name), QString::fromUtf8(row.hint),
                               row.glyph, QRect(row.left, row.top, row.width, 25));
    }
    ChoiceGroup* group = roving(buttons);
    for (int tool = 0; tool < 9; ++tool)
        group->addButton(buttons[tool], tool);
    group->setCheckedQuietly(0);
    connect(group, &ChoiceGroup::chosen, this, &ToolPanel::toolChosen);
}

void ToolPanel::buildWidthGroup() {
    auto* box = new TitledFrame(QStringLiteral("Hrúbka"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    box->setGeometry(8, 152, 49, 89);
    QList<ChoiceButton*> buttons;
    for (int n = 1; n <= 5; ++n) {
        ChoiceButton* button = speedButton(
            box, QLatin1String(kWidthNames[n - 1]), QStringLiteral("Hrúbka čiarky: %1").arg(n),
            [n](const QPalette& palette) { return glyphs::widthStroke(n, palette); },
            QRect(8, 8 + 8 * n, 33, 9));
        button->setIconSize(QSize(31, 7));
        buttons << button;
    }
    widthGroup_ = roving(buttons);
    for (int n = 1; n <= 5; ++n)
        widthGroup_->addButton(buttons[n - 1], n);
    // Pushed down for width 6 so that none of the visible buttons is; never seen, no hint.
    ChoiceButton* extra = speedButton(
        box, QStringLiteral("dodatok"), QString(), [](const QPalette&) { return QIcon(); },
        QRect(40, 8, 7, 9));
    extra->setAccessibleName(QStringLiteral("Hrúbka čiarky: 6"));
    extra->setVisible(false);
    widthGroup_->addButton(extra, 6);
    widthGroup_->setCheckedQuietly(1);
    connect(widthGroup_, &ChoiceGroup::chosen, this, [this](int id) {
        if (id <= 5)
            emit widthChosen(id);
    });

    hr_ = new SpinEdit(1, 99, box);
    hr_->setObjectName(QStringLiteral("hr"));
    hr_->setGeometry(4, 62, 41, 22);
    nameField(hr_, QStringLiteral("Hrúbka čiarky"));
    setTabOrder(penSize_, hr_);
}

void ToolPanel::buildFillToggles() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setAccessibleName(QStringLiteral("Výplň"));
    panel->setFrameShape(QFrame::Box);
    panel->setGeometry(8, 248, 49, 65);
    filledToggle_ = speedButton(
        panel, QStringLiteral("PlnyObj"), QStringLiteral("Plný objekt"),
        [](const QPalette& palette) { return glyphs::fillStyle(true, palette); },
        QRect(3, 8, 38, 22));
    emptyToggle_ = speedButton(
        panel, QStringLiteral("PrazdnyObj"), QStringLiteral("Prázdny objekt"),
        [](const QPalette& palette) { return glyphs::fillStyle(false, palette); },
        QRect(3, 32, 38, 22));
    for (ChoiceButton* toggle : {filledToggle_, emptyToggle_})
        toggle->setIconSize(QSize(32, 16));
    ChoiceGroup* group = roving({filledToggle_, emptyToggle_});
    group->addButton(filledToggle_, 1);
    group->addButton(emptyToggle_, 0);
    group->setCheckedQuietly(1);
    showFillToggles(false);
    connect(group, &ChoiceGroup::chosen, this, [this](int id) { emit fillChosen(id == 1); });
}

void ToolPanel::pushWidthButton(int n) {
    if (n >= 1 && n <= 6)
        widthGroup_->setCheckedQuietly(n);
}

void ToolPanel::showFillToggles(bool shown) {
    filledToggle_->setVisible(shown);
    emptyToggle_->setVisible(shown);
}

void ToolPanel::setGuard(const ChoiceGuard& guard) {
    for (ChoiceButton* button : findChildren<ChoiceButton*>())
        button->setGuard(guard);
}

}  // namespace kreslix
