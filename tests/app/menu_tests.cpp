#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <algorithm>

#include "app/main_menu.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

struct ItemRow {
    const char* name;  // "-" for a separator
    const char* caption;
    QKeySequence shortcut;
};

struct MenuRow {
    const char* caption;
    std::vector<ItemRow> items;
};

// The stored shortcut codes: a key code with the Ctrl flag 0x4000 (16462 is Ctrl+N).
QKeySequence stored(int code) {
    const Qt::KeyboardModifiers ctrl = (code & 0x4000) ? Qt::ControlModifier : Qt::NoModifier;
    const int key = code & 0x3FFF;
    return QKeySequence(QKeyCombination(ctrl, key == 46 ? Qt::Key_Delete : Qt::Key(key)));
}

const MenuRow kMainMenu[] = {
    {"&Súbor",
     {{"New1", "&Nový", stored(16462)},
      {"Open1", "&Otvoriť...", stored(16463)},
      {"Save1", "&Uložiť", {}},
      {"Saveas1", "Uložiť &ako...", stored(16469)},
      {"-", "", {}},
      {"Vlastnosti1", "&Vlastnosti obrázka", {}},
      {"-", "", {}},
      {"Nastavenietlae1", "Nastavenie tlače...", {}},
      {"Tlacit1", "Tlačiť", stored(16464)},
      {"-", "", {}},
      {"Exit1", "S&končiť", {}}}},
    {"&Úpravy",
     {{"Cut1", "Vystrihnúť", stored(16472)},
      {"Copy1", "Kopírovať", stored(16451)},
      {"Paste1", "Prilepiť", stored(16470)},
      {"-", "", {}},
      {"Koprovado1", "Kopírovať do...", {}},
      {"KoprovapracovnplochuWindows1", "Prilepiť obraz pracovnej plochy Windows", {}}}},
    {"&Obrázok",
     {{"Zmazaobrzok1", "Zmazať obrázok", stored(46)},
      {"-", "", {}},
      {"Prevratitvodorovne1", "Prevrátiť podľa vodorovnej osi", {}},
      {"Prevrtipodazvislejosi1", "Prevrátiť podľa zvislej osi", {}}}},
    {"&Zobraziť",
     {{"ZobrNast", "Panel s nástrojmi", {}},
      {"ZobrFar", "Ponuka farieb", {}},
      {"ZobrazHorne", "Horný panel tlačidiel", {}},
      {"ZobrHelp", "Dolný panel s nápovedou", {}},
      {"-", "", {}},
      {"PozKurzor", "Pozíciu kurzora", {}}}},
    {"&Nastaviť",
     {{"Nastavifarbupopredia1", "Farbu popre&dia", stored(16452)},
      {"Nastavifarbupozadia1", "Farbu po&zadia", stored(16474)}}},
    {"&Pomocník", {{nullptr, "O programe Kreslix...", {}}}},
};

const std::vector<ItemRow> kPopupMenu = {
    {"Vystrihn1", "Vystrihnúť", {}}, {"Koprova1", "Kopírovať", {}},
    {"Prilepi1", "Prilepiť", {}},    {"-", "", {}},
    {"Zmaza1", "Zmazať", {}},
};

void expectItems(const QList<QAction*>& actual, const std::vector<ItemRow>& expected,
                 const QString& where) {
    ASSERT_EQ(actual.size(), qsizetype(expected.size())) << where.toStdString();
    for (size_t i = 0; i < expected.size(); ++i) {
        const ItemRow& row = expected[i];
        const QAction* item = actual[qsizetype(i)];
        SCOPED_TRACE(where.toStdString() + " item " + std::to_string(i));
        if (row.name && QLatin1String(row.name) == QLatin1String("-")) {
            EXPECT_TRUE(item->isSeparator());
            continue;
        }
        EXPECT_FALSE(item->isSeparator());
        if (row.name) {
            EXPECT_EQ(item->objectName(), QLatin1String(row.name));
        }
        EXPECT_EQ(item->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(item->shortcut(), row.shortcut) << item->shortcut().toString().toStdString();
    }
}

using MenuTest = WindowTest;

TEST_F(MenuTest, MainMenuHasEveryItemInOrderWithCaptionAccessKeyAndShortcut) {
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), qsizetype(std::size(kMainMenu)));
    for (size_t m = 0; m < std::size(kMainMenu); ++m) {
        QMenu* menu = menus[qsizetype(m)]->menu();
        ASSERT_NE(menu, nullptr);
        const QString caption = QString::fromUtf8(kMainMenu[m].caption);
        EXPECT_EQ(menus[qsizetype(m)]->text(), caption);
        expectItems(menu->actions(), kMainMenu[m].items, caption);
    }
}

TEST_F(MenuTest, PopupMenuHasItsFiveRows) {
    expectItems(window->menu().popup()->actions(), kPopupMenu, QStringLiteral("PopupMenu"));
}

TEST_F(MenuTest, ExactlyTheFiveViewItemsAreCheckedAtStart) {
    const QStringList viewItems = {"ZobrNast", "ZobrFar", "ZobrazHorne", "ZobrHelp", "PozKurzor"};
    for (const QAction* item : window->menu().actions()) {
        const bool view = viewItems.contains(item->objectName());
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_EQ(item->isCheckable(), view);
        EXPECT_EQ(item->isChecked(), view);
    }
    for (const QString& name : viewItems)
        EXPECT_TRUE(action(name.toLatin1())->isEnabled());
}

// Every command is live from the start: each item of the menus and the popup, and every
// button of the bar but the Save button, which follows the document.
TEST_F(MenuTest, EveryCommandCanBeChosen) {
    for (const QAction* item : window->menu().actions())
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    QAction* about = window->menuBar()->actions().last()->menu()->actions().value(0);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isEnabled());
    for (const char* name : {"SpeedButton5", "SpeedButton6", "SpeedButton11", "SpeedButton8",
                             "SpeedButton9", "SpeedButton10"}) {
        EXPECT_TRUE(child(name)->isEnabled()) << name;
    }
}

struct BarButton {
    const char* name;
    const char* hint;
    int gapBefore;  // pixels between the previous button and this one
};

const BarButton kButtonBar[] = {
    {"SpeedButton5", "Nový", 0},       {"SpeedButton6", "Otvoriť", 0},
    {"TlacitkoUloz", "Uložiť", 0},     {"SpeedButton11", "Tlačiť", 8},
    {"SpeedButton8", "Vystrihnúť", 8}, {"SpeedButton9", "Kopírovať", 0},
    {"SpeedButton10", "Prilepiť", 0},
};

TEST_F(MenuTest, ButtonBarHoldsItsButtonsInOrderWithHintsSizesAndTwoDividers) {
    QWidget* bar = child("OknoTlacidla");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 28);
    QList<QToolButton*> buttons = bar->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QToolButton* a, QToolButton* b) { return a->x() < b->x(); });
    ASSERT_EQ(buttons.size(), qsizetype(std::size(kButtonBar)));
    for (size_t i = 0; i < std::size(kButtonBar); ++i) {
        const QToolButton* button = buttons[qsizetype(i)];
        SCOPED_TRACE(kButtonBar[i].name);
        EXPECT_EQ(button->objectName(), QLatin1String(kButtonBar[i].name));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(kButtonBar[i].hint));
        EXPECT_EQ(button->size(), QSize(23, 22));
        EXPECT_TRUE(button->text().isEmpty() ||
                    button->toolButtonStyle() == Qt::ToolButtonIconOnly);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->autoRaise());
        EXPECT_EQ(button->y(), buttons[0]->y());
        if (i > 0) {
            const QToolButton* previous = buttons[qsizetype(i) - 1];
            EXPECT_EQ(button->x() - (previous->x() + previous->width()), kButtonBar[i].gapBefore);
        }
    }
}

}  // namespace
}  // namespace kreslix::testing
