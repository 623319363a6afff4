#include "dialogs/about.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

#include "dialogs/dialog_labels.h"
#include "dialogs/heavy_font.h"
#include "dialogs/program_icon.h"

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

constexpr int kPanelLeft = 232;  // the left edge of `Panel2`, the "O.K." panel
constexpr int kGap = 4;          // the least space between a text and the control beside it

const char* const kRightsNotice[] = {
    "Všetky práva vyhradené.",
    "Tento program je chránený autorským zákonom.",
    "Kopírovanie, šírenie a úpravy programu",
    "bez súhlasu autora nie sú dovolené.",
};

void setHeavyText(QLabel* label, int characterHeight, QColor colour) {
    label->setFont(heavyFont(characterHeight));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
}

// A black triangle, 4 pixels deep and 7 high, pointing left or right, on a clear ground so
// the button's own face shows around it.
QIcon triangle(bool left) {
    QPixmap glyph(8, 7);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    for (int depth = 0; depth < 4; ++depth) {
        const int x = left ? 2 + depth : 5 - depth;
        painter.drawLine(x, 3 - depth, x, 3 + depth);
    }
    return QIcon(glyph);
}

QToolButton* addFlatButton(QWidget* parent, const char* name, QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : ButtonOnlyDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("O programe...."));
    setFixedSize(362, 234);

    QLabel* product = addLabel(this, "Label1", QStringLiteral("Kreslix"), {32, 16});
    QLabel* year = addLabel(this, "Label2", QStringLiteral("2000"), {240, 16});
    addLabel(this, "Label3", QStringLiteral("for Windows 95/98"), {238, 56});
    const char* const noticeNames[] = {"Label4", "Label5", "Label6", "Label8"};
    for (int line = 0; line < 4; ++line) {
        addLabel(this, noticeNames[line], QString::fromUtf8(kRightsNotice[line]),
                 {40, 88 + 16 * line});
    }

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(312, 144, 33, 33);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(programIconPicture());

    auto* contactBox = new QGroupBox(this);
    contactBox->setObjectName(QStringLiteral("GroupBox1"));
    contactBox->setGeometry(24, 152, 281, 25);
    contact_ = addLabel(contactBox, "copyr", QString(), {8, 8});
    showContactLine(kRightLines);
    QToolButton* left = addFlatButton(contactBox, "SpeedButton4", {248, 8, 15, 14});
    left->setIcon(triangle(true));
    left->setIconSize({8, 7});
    connect(left, &QToolButton::clicked, this, &TAboutBox::SpeedButton4Click);
    QToolButton* right = addFlatButton(contactBox, "SpeedButton5", {264, 8, 14, 14});
    right->setIcon(triangle(false));
    right->setIconSize({8, 7});
    connect(right, &QToolButton::clicked, this, &TAboutBox::SpeedButton5Click);

    QLabel* memoryCaption =
        addLabel(this, "Label7", QStringLiteral("Dostupná operačná pamäť:"), {24, 208});
    memory_ = addLabel(this, "DostupnaPamat", QString(), {163, 208});
    fitWhenFirstShown(this, [this, product, year, memoryCaption] {
        setHeavyText(product, 29, QColor(0x00, 0x00, 0x80));
        setHeavyText(year, 35, Qt::black);
        fitBefore(memoryCaption, memory_->x() - kGap);
    });

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setGeometry(kPanelLeft, 192, 113, 33);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    QToolButton* ok = addFlatButton(panel, "SpeedButton1", {2, 2, 104, 25});
    ok->setText(QStringLiteral("O.K."));
    connect(ok, &QToolButton::clicked, this, &TAboutBox::SpeedButton1Click);
}

void TAboutBox::prepare(const QString& memoryFigure) {
    memory_->setText(memoryFigure);
    fitBefore(memory_, kPanelLeft - kGap);
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

// Centred on the screen the box is shown on, at every showing.
void TAboutBox::showEvent(QShowEvent* event) {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : this;
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->geometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
    ButtonOnlyDialog::showEvent(event);
}

}  // namespace kreslix
