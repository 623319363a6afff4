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
    // Looking the face up asks the font configuration; the answer holds for the whole run.
    static const QString family = heavyFamily();
    static const int weight = heaviestWeight(family);
    QFont font(family);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace kreslix
