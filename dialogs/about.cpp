#include "dialogs/about.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "dialogs/dialog_labels.h"
#include "dialogs/font_growth.h"
#include "dialogs/heavy_font.h"
#include "dialogs/program_icon.h"
#include "dialogs/readable_colour.h"
#include "dialogs/screen_centre.h"
#include "dialogs/spoken_label.h"

namespace kreslix {

const TAboutBox::ContactLines TAboutBox::kLeftLines = {
    "© 2000 Ján Maliar",
    "http://www.kreslix.sk",
    "e-mail: jan.maliar@kreslix.sk",
    "tel: 02/5555 0142, 0905 555 142",
};

const TAboutBox::ContactLines TAboutBox::kRightLines = {
    "© 2000 Štúdio Kreslix, Žilina",
    "http://www.kreslix.sk/studio",
    "e-mail: studio@kreslix.sk",
    "tel: 041/555 0190, 041/555 0191",
};

namespace {

constexpr int kWidth = 362;       // the box's designed width
constexpr int kPanelLeft = 232;   // the left edge of `Panel2`, the "O.K." panel
constexpr int kIconLeft = 312;    // the left edge of the icon, below the notice's last line
constexpr int kArrowsLeft = 248;  // where the arrows start in the contact line's box
constexpr int kMemoryLeft = 163;  // where the memory figure starts
constexpr int kGap = 4;           // the least space between a text and the control beside it

const char* const kRightsNotice[] = {
    "Všetky práva vyhradené.",
    "Tento program je chránený autorským zákonom.",
    "Kopírovanie, šírenie a úpravy programu",
    "bez súhlasu autora nie sú dovolené.",
};

const QColor kNavy(0x00, 0x00, 0x80);

void setHeavyText(QLabel* label, int characterHeight) {
    label->setFont(heavyFont(characterHeight));
    label->adjustSize();
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A triangle, 4 pixels deep and 7 high, pointing left or right, in `colour` (the theme's
// button text, black in a light theme) on a clear ground so the button's own face shows
// around it.
QIcon triangle(bool left, const QColor& colour) {
    QPixmap glyph(8, 7);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(colour);
    for (int depth = 0; depth < 4; ++depth) {
        const int x = left ? 2 + depth : 5 - depth;
        painter.drawLine(x, 3 - depth, x, 3 + depth);
    }
    return QIcon(glyph);
}

// A flat button that a click does not give the focus; Tab does.
QToolButton* addFlatButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QStringList allContactLines() {
    QStringList lines;
    for (const TAboutBox::ContactLines* set : {&TAboutBox::kLeftLines, &TAboutBox::kRightLines}) {
        for (const char* line : *set)
            lines << QString::fromUtf8(line);
    }
    return lines;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : PromptDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("O programe...."));
    setFixedSize(kWidth, 234);

    product_ = addLabel(this, "Label1", QStringLiteral("Kreslix"), {32, 16});
    year_ = addLabel(this, "Label2", QStringLiteral("2000"), {240, 16});
    QLabel* platform = addLabel(this, "Label3", QStringLiteral("for Windows 95/98"), {238, 56});
    const char* const noticeNames[] = {"Label4", "Label5", "Label6", "Label8"};
    QLabel* notice[4] = {};
    for (int line = 0; line < 4; ++line) {
        notice[line] = addLabel(this, noticeNames[line], QString::fromUtf8(kRightsNotice[line]),
                                {40, 88 + 16 * line});
    }

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setAccessibleName(QStringLiteral("Ikona programu Kreslix"));
    icon->setGeometry(kIconLeft, 144, 33, 33);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(programIconPicture());

    auto* contactBox = new QGroupBox(this);
    contactBox->setObjectName(QStringLiteral("GroupBox1"));
    contactBox->setAccessibleName(QStringLiteral("Kontakt na autora"));
    contactBox->setGeometry(24, 152, 281, 25);
    contact_ = addLabel(contactBox, "copyr", QString(), {8, 8});
    showContactLine(kRightLines);
    QToolButton* left = addFlatButton(contactBox, "SpeedButton4", {kArrowsLeft, 8, 15, 14});
    left->setIconSize({8, 7});
    left->setAccessibleName(QStringLiteral("Predchádzajúci riadok kontaktu"));
    connect(left, &QToolButton::clicked, this, &TAboutBox::SpeedButton4Click);
    QToolButton* right = addFlatButton(contactBox, "SpeedButton5", {264, 8, 14, 14});
    right->setIconSize({8, 7});
    right->setAccessibleName(QStringLiteral("Ďalší riadok kontaktu"));
    connect(right, &QToolButton::clicked, this, &TAboutBox::SpeedButton5Click);
    arrows_ = {left, right};

    QLabel* memoryCaption =
        addLabel(this, "Label7", QStringLiteral("Dostupná operačná pamäť:"), {24, 208});
    memory_ = addLabel(this, "DostupnaPamat", QString(), {kMemoryLeft, 208});
    speakWithCaption(memory_, memoryCaption);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setGeometry(kPanelLeft, 192, 113, 33);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    ok_ = addFlatButton(panel, "SpeedButton1", {2, 2, 104, 25});
    ok_->setText(QStringLiteral("O.K."));
    connect(ok_, &QToolButton::clicked, this, &TAboutBox::SpeedButton1Click);
    followTheme();

    growth_ = new FontGrowth(this);
    growth_->keepBefore(platform, kWidth - kGap);
    for (QLabel* line : notice)
        growth_->keepBefore(line, (line == notice[3] ? kIconLeft : kWidth) - kGap);
    growth_->keepBefore(contact_, kArrowsLeft - kGap, allContactLines());
    growth_->keepBefore(memoryCaption, kMemoryLeft - kGap);
    growth_->keepBefore(memory_, kPanelLeft - kGap);
    // The heavy title's own fonts are loaded when the box is first shown: they cost the
    // program's start a font lookup for a box that is seldom opened.
    growth_->afterLayout([this] {
        setHeavyText(product_, 29);
        setHeavyText(year_, 35);
    });
}

void TAboutBox::prepare(const QString& memoryFigure) {
    setSpokenText(memory_, QStringLiteral("Dostupná operačná pamäť:"), memoryFigure);
    if (isVisible())
        growth_->layOut();
    CisloRiadku = 1;
}

void TAboutBox::showContactLine(const ContactLines& lines) {
    contact_->setText(QString::fromUtf8(lines[CisloRiadku - 1]));
    contact_->adjustSize();
}

void TAboutBox::SpeedButton4Click() {
    CisloRiadku = std::max(CisloRiadku - 1, 1);
    showContactLine(kLeftLines);
}

void TAboutBox::SpeedButton5Click() {
    CisloRiadku = std::min(CisloRiadku + 1, 4);
    showContactLine(kRightLines);
}

void TAboutBox::SpeedButton1Click() {
    CisloRiadku = 1;
    showContactLine(kLeftLines);
    done(QDialog::Accepted);
}

// The box has nothing to cancel: every way out is "O.K.".
void TAboutBox::reject() {
    SpeedButton1Click();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        SpeedButton1Click();
        return;
    }
    PromptDialog::keyPressEvent(event);
}

// "Kreslix" in its navy where the theme's ground lets it stand out, else in the theme's
// highlight or text colour; "2000" in the theme's text colour, black in a light theme; the
// arrows in the button text colour.
void TAboutBox::followTheme() {
    setTextColour(product_, readableOn(palette(), kNavy, {QPalette::Highlight}, 3.0));
    const QColor arrow = palette().color(QPalette::ButtonText);
    arrows_[0]->setIcon(triangle(true, arrow));
    arrows_[1]->setIcon(triangle(false, arrow));
}

void TAboutBox::changeEvent(QEvent* event) {
    PromptDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followTheme();
}

// Centred on the screen at every showing, with the focus on "O.K.".
void TAboutBox::showEvent(QShowEvent* event) {
    centreOnScreen(this);
    ok_->setFocus(Qt::OtherFocusReason);
    PromptDialog::showEvent(event);
}

}  // namespace kreslix
