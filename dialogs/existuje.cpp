#include "dialogs/existuje.h"

#include <QLabel>
#include <QPushButton>

#include "dialogs/outer_size.h"

namespace kreslix {

Texistu::Texistu(QWidget* parent) : ButtonOnlyDialog(parent) {
    setObjectName(QStringLiteral("existu"));
    setWindowTitle(QStringLiteral("Upozornenie"));
    keepOuterSize(this, QSize(233, 119));
    move(262, 120);

    auto* first = new QLabel(QStringLiteral("Vybraný súbor už existuje."), this);
    first->setObjectName(QStringLiteral("Label1"));
    first->move(48, 16);
    auto* second = new QLabel(QStringLiteral("Chcete ho prepísať?"), this);
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
}

void Texistu::anoClick() {
    replace_ = true;
    done(QDialog::Accepted);
}

void Texistu::nieClick() {
    replace_ = false;
    done(QDialog::Accepted);
}

}  // namespace kreslix
