#include "dialogs/zmz.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "common/modal_result.h"
#include "dialogs/font_growth.h"

namespace kreslix {

namespace {

// The designed outer size is 358 × 148; the window system adds the sizeable frame and the
// title bar (4 pixels a side and a 19-pixel caption) around this client area.
constexpr QSize kClientSize(350, 121);
// The texts end where the warning's left margin would end it on the right.
constexpr int kTextsRight = kClientSize.width() - 24;
constexpr int kBoxWidth = 201;  // the check box's designed width

}  // namespace

TOknoZmaz::TOknoZmaz(QWidget* parent)
    : PromptDialog(parent, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("OknoZmaz"));
    setWindowTitle(QStringLiteral("Vymazanie obrázka"));
    move(241, 179);

    auto* warning = new QLabel(
        QStringLiteral("Zmazaním obrázka stratíte všetky údaje, ktoré plátno obsahuje."), this);
    warning->setObjectName(QStringLiteral("Label1"));
    warning->setTextFormat(Qt::PlainText);
    warning->move(24, 16);
    warning->adjustSize();
    auto* question = new QLabel(QStringLiteral("Naozaj chcete obrázok zmazať?"), this);
    question->setObjectName(QStringLiteral("Label2"));
    question->setTextFormat(Qt::PlainText);
    question->move(96, 40);
    question->adjustSize();

    // Created in their tab order: "Áno" first, then "Nie", then the check box.
    auto* zmaz = new QPushButton(QStringLiteral("Áno"), this);
    zmaz->setObjectName(QStringLiteral("zmaz"));
    zmaz->setGeometry(80, 64, 75, 25);
    connect(zmaz, &QPushButton::clicked, this, [this] { done(int(ModalResult::OK)); });
    auto* zrus = new QPushButton(QStringLiteral("Nie"), this);
    zrus->setObjectName(QStringLiteral("zrus"));
    zrus->setGeometry(184, 64, 75, 25);
    connect(zrus, &QPushButton::clicked, this, &TOknoZmaz::zrusClick);
    ZmazFarbou_ = new QCheckBox(QStringLiteral("Zmazať nastavenou farbou popredia"), this);
    ZmazFarbou_->setObjectName(QStringLiteral("ZmazFarbou"));
    ZmazFarbou_->move(24, 96);
    ZmazFarbou_->adjustSize();
    zmaz->setFocus(Qt::OtherFocusReason);
    resize(kClientSize);

    // The designed places and size hold; where the font is wider than the designed one the
    // texts narrow to end the designed margin before the right edge, so none is cut.
    auto* growth = new FontGrowth(this);
    growth->keepBefore(warning, kTextsRight);
    growth->keepBefore(question, kTextsRight);
    growth->keepBefore(ZmazFarbou_, kTextsRight);
    // The check box is at least as wide as designed: all of it takes a click.
    growth->afterLayout([this, growth] {
        const int least = int(std::lround(kBoxWidth * growth->scale().width()));
        ZmazFarbou_->resize(std::max(ZmazFarbou_->width(), least), ZmazFarbou_->height());
    });
}

// The refusal: the prompt closes with OK like "Áno", and `Zrusene` tells the clear command to
// leave the picture alone. Nothing else follows the click, so no message is shown.
void TOknoZmaz::zrusClick() {
    done(int(ModalResult::OK));
    Zrusene = true;
}

// Closing the prompt without answering means "don't clear": Cancel, which the command treats
// as a refusal.
void TOknoZmaz::reject() {
    done(int(ModalResult::Cancel));
}

}  // namespace kreslix
