#include "dialogs/OkUloz.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "common/modal_result.h"
#include "dialogs/font_growth.h"
#include "dialogs/standard_icon_label.h"

namespace kreslix {
namespace {

constexpr int kWidth = 264;
constexpr int kMargin = 8;  // the least space between the question and the right edge

}  // namespace

TOknoUloz::TOknoUloz(QWidget* parent) : PromptDialog(parent) {
    setObjectName(QStringLiteral("OknoUloz"));
    setWindowTitle(QStringLiteral("Kreslix"));
    setFixedSize(kWidth, 109);
    move(246, 228);

    auto* icon = new StandardIconLabel(QStyle::SP_MessageBoxQuestion, 32, this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(16, 16, 32, 32);
    icon->setAccessibleName(QStringLiteral("Otázka"));
    auto* label = new QLabel(QStringLiteral("Uložiť zmeny v dokumente ?"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    label->move(64, 24);

    struct ButtonRow {
        const char* name;
        const char* caption;
        int left;
        ModalResult result;
    };
    const ButtonRow rows[] = {{"ano", "Án&o", 16, ModalResult::Yes},
                              {"nie", "&Nie", 96, ModalResult::No},
                              {"zrusit", "&Zrušiť", 176, ModalResult::Cancel}};
    for (const ButtonRow& row : rows) {
        auto* button = new QPushButton(QString::fromUtf8(row.caption), this);
        button->setObjectName(QLatin1String(row.name));
        button->setGeometry(row.left, 72, 75, 25);
        const int result = static_cast<int>(row.result);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    }
    (new FontGrowth(this))->keepBefore(label, kWidth - kMargin);
}

void TOknoUloz::reject() {
    done(static_cast<int>(ModalResult::Cancel));
}

}  // namespace kreslix
