#include "dialogs/existuje.h"

#include <QLabel>
#include <QPushButton>

#include "dialogs/font_growth.h"
#include "dialogs/outer_size.h"

namespace kreslix {

namespace {

constexpr QSize kOuterSize(233, 119);
// The texts end this far before the designed outer edge: the frame's width and a margin.
constexpr int kTextsRight = kOuterSize.width() - 16;

}  // namespace

Texistu::Texistu(QWidget* parent) : PromptDialog(parent) {
    setObjectName(QStringLiteral("existu"));
    setWindowTitle(QStringLiteral("Upozornenie"));
    OuterSizeKeeper* outer = keepOuterSize(this, kOuterSize);
    move(262, 120);

    auto* first = new QLabel(QStringLiteral("Vybraný súbor už existuje."), this);
    first->setTextFormat(Qt::PlainText);
    first->setObjectName(QStringLiteral("Label1"));
    first->move(48, 16);
    auto* second = new QLabel(QStringLiteral("Chcete ho prepísať?"), this);
    second->setTextFormat(Qt::PlainText);
    second->setObjectName(QStringLiteral("Label2"));
    second->move(56, 32);

    auto* ano = new QPushButton(QStringLiteral("Áno"), this);
    ano->setObjectName(QStringLiteral("ano"));
    ano->setGeometry(32, 56, 75, 25);
    connect(ano, &QPushButton::clicked, this, &Texistu::anoClick);
    auto* nie = new QPushButton(QStringLiteral("Nie"), this);
    nie->setObjectName(QStringLiteral("nie"));
    nie->setGeometry(120, 56, 75, 25);
    connect(nie, &QPushButton::clicked, this, &Texistu::nieClick);
    nie_ = nie;

    auto* growth = new FontGrowth(this);
    growth->keepBefore(first, kTextsRight);
    growth->keepBefore(second, kTextsRight);
    growth->setWindowSizer([outer](QSizeF scale) {
        outer->setOuterSize(FontGrowth::scaled(QRect(QPoint(), kOuterSize), scale).size());
    });
}

void Texistu::showEvent(QShowEvent* event) {
    nie_->setFocus(Qt::OtherFocusReason);
    PromptDialog::showEvent(event);
}

void Texistu::anoClick() {
    replace_ = true;
    done(QDialog::Accepted);
}

void Texistu::nieClick() {
    replace_ = false;
    done(QDialog::Accepted);
}

void Texistu::reject() {
    nieClick();
}

}  // namespace kreslix
