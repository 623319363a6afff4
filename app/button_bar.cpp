#include "app/button_bar.h"

#include "app/glyph_button.h"
#include "app/glyphs.h"

namespace kreslix {
namespace {

struct ButtonRow {
    const char* name;  // nullptr for an 8-pixel divider
    const char* hint;
    QIcon (*glyph)(const QPalette&);
};

const ButtonRow kButtons[] = {
    {"SpeedButton5", "Nový", glyphs::newPicture}, {"SpeedButton6", "Otvoriť", glyphs::open},
    {"TlacitkoUloz", "Uložiť", glyphs::save},     {nullptr, nullptr, nullptr},
    {"SpeedButton11", "Tlačiť", glyphs::print},   {nullptr, nullptr, nullptr},
    {"SpeedButton8", "Vystrihnúť", glyphs::cut},  {"SpeedButton9", "Kopírovať", glyphs::copy},
    {"SpeedButton10", "Prilepiť", glyphs::paste},
};

constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kDividerWidth = 8;
constexpr int kLeft = 4;
constexpr int kTop = 3;

}  // namespace

ButtonBar::ButtonBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OknoTlacidla"));
    setAccessibleName(QStringLiteral("Horný panel tlačidiel"));
    setFixedHeight(kHeight);
    int x = kLeft;
    for (const ButtonRow& row : kButtons) {
        if (!row.name) {
            x += kDividerWidth;
            continue;
        }
        // No tab stops: every command of the bar is in the menus.
        auto* button =
            new GlyphButton(QLatin1String(row.name), QString::fromUtf8(row.hint), row.glyph, this);
        button->setIconSize(QSize(16, 16));
        button->setGeometry(x, kTop, kButtonWidth, kButtonHeight);
        buttons_.insert(button->objectName(), button);
        x += kButtonWidth;
    }
}

}  // namespace kreslix
