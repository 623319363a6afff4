#include "dialogs/heavy_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

namespace kreslix {
namespace {

QString heavyFamily() {
    const QString arialBlack = QStringLiteral("Arial Black");
    if (QFontDatabase::hasFamily(arialBlack))
        return arialBlack;
    QFont sans;
    sans.setStyleHint(QFont::SansSerif);
    sans.setFamilies({QStringLiteral("sans-serif")});
    return QFontInfo(sans).family();
}

int heaviestWeight(const QString& family) {
    int heaviest = QFont::Bold;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (!QFontDatabase::italic(family, style))
            heaviest = std::max(heaviest, QFontDatabase::weight(family, style));
    }
    return heaviest;
}

}  // namespace

QFont heavyFont(int characterHeight) {
    const QString family = heavyFamily();
    QFont font(family);
    font.setWeight(static_cast<QFont::Weight>(heaviestWeight(family)));
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace kreslix
