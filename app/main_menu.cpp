#include "app/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kreslix {
namespace {

struct ItemRow {
    const char* name;  // "-" for a separator
    const char* caption;
    QKeyCombination shortcut;
    bool checkable;
};

struct MenuRow {
    const char* caption;
    std::initializer_list<ItemRow> items;
};

constexpr QKeyCombination kNone{};
constexpr QKeyCombination ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}

const MenuRow kMainMenu[] = {
    {"&Súbor",
     {{"New1", "&Nový", ctrl(Qt::Key_N), false},
      {"Open1", "&Otvoriť...", ctrl(Qt::Key_O), false},
      {"Save1", "&Uložiť", kNone, false},
      {"Saveas1", "Uložiť &ako...", ctrl(Qt::Key_U), false},
      {"-", "", kNone, false},
      {"Vlastnosti1", "&Vlastnosti obrázka", kNone, false},
      {"-", "", kNone, false},
      {"Nastavenietlae1", "Nastavenie tlače...", kNone, false},
      {"Tlacit1", "Tlačiť", ctrl(Qt::Key_P), false},
      {"-", "", kNone, false},
      {"Exit1", "S&končiť", kNone, false}}},
    {"&Úpravy",
     {{"Cut1", "Vystrihnúť", ctrl(Qt::Key_X), false},
      {"Copy1", "Kopírovať", ctrl(Qt::Key_C), false},
      {"Paste1", "Prilepiť", ctrl(Qt::Key_V), false},
      {"-", "", kNone, false},
      {"Koprovado1", "Kopírovať do...", kNone, false},
      {"KoprovapracovnplochuWindows1", "Prilepiť obraz pracovnej plochy Windows", kNone, false}}},
    {"&Obrázok",
     {{"Zmazaobrzok1", "Zmazať obrázok", QKeyCombination(Qt::Key_Delete), false},
      {"-", "", kNone, false},
      {"Prevratitvodorovne1", "Prevrátiť podľa vodorovnej osi", kNone, false},
      {"Prevrtipodazvislejosi1", "Prevrátiť podľa zvislej osi", kNone, false}}},
    {"&Zobraziť",
     {{"ZobrNast", "Panel s nástrojmi", kNone, true},
      {"ZobrFar", "Ponuka farieb", kNone, true},
      {"ZobrazHorne", "Horný panel tlačidiel", kNone, true},
      {"ZobrHelp", "Dolný panel s nápovedou", kNone, true},
      {"-", "", kNone, false},
      {"PozKurzor", "Pozíciu kurzora", kNone, true}}},
    {"&Nastaviť",
     {{"Nastavifarbupopredia1", "Farbu popre&dia", ctrl(Qt::Key_D), false},
      {"Nastavifarbupozadia1", "Farbu po&zadia", ctrl(Qt::Key_Z), false}}},
    {"&Pomocník", {{"AboutItem", "O programe Kreslix...", kNone, false}}},
};

const ItemRow kPopupMenu[] = {
    {"Vystrihn1", "Vystrihnúť", kNone, false}, {"Koprova1", "Kopírovať", kNone, false},
    {"Prilepi1", "Prilepiť", kNone, false},    {"-", "", kNone, false},
    {"Zmaza1", "Zmazať", kNone, false},
};

}  // namespace

MainMenu::MainMenu(QMainWindow* window) {
    auto addItem = [&](QMenu* menu, const ItemRow& row) {
        if (QStringLiteral("-") == QLatin1String(row.name)) {
            menu->addSeparator();
            return;
        }
        QAction* action = menu->addAction(QString::fromUtf8(row.caption));
        action->setObjectName(QLatin1String(row.name));
        if (row.shortcut != kNone)
            action->setShortcut(QKeySequence(row.shortcut));
        action->setCheckable(row.checkable);
        action->setChecked(row.checkable);
        actions_.insert(action->objectName(), action);
    };

    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuRow& menuRow : kMainMenu) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(menuRow.caption));
        for (const ItemRow& row : menuRow.items)
            addItem(menu, row);
    }

    popup_ = new QMenu(window);
    popup_->setObjectName(QStringLiteral("PopupMenu"));
    for (const ItemRow& row : kPopupMenu)
        addItem(popup_, row);
}

}  // namespace kreslix
