#include <cups/cups.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QToolButton>

#include "dialogs/spin_edit.h"
#include "printing/current_printer.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

// What each command leaves behind that no other command does, starting from a picture with one
// red pixel at (0, 0), nothing on the clipboard and the flag clear.
enum class Effect { Copied, Cut, Pasted, ClearAsked, FlippedRows, FlippedColumns, Captured };

class WindowCommands : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QApplication::clipboard()->clear();
        window->document().canvas().SetPixels(0, 0, 0x000000FF);
        window->document().setModified(false);
    }

    QImage& picture() const { return window->document().image(); }

    void expectEffect(Effect effect, const char* source) {
        SCOPED_TRACE(source);
        const QImage clipboard = QApplication::clipboard()->image();
        const int w = picture().width(), h = picture().height();
        switch (effect) {
            case Effect::Copied:
                EXPECT_EQ(clipboard.size(), picture().size());
                EXPECT_EQ(pixel(0, 0), 0x000000FFu);
                EXPECT_EQ(window->document().modified(), 0);
                break;
            case Effect::Cut:
                EXPECT_EQ(clipboard.size(), picture().size());
                EXPECT_EQ(pixel(0, 0), kWhite);
                break;
            case Effect::Pasted:
                EXPECT_EQ(pixel(0, 0), 0x00FF0000u);
                break;
            case Effect::ClearAsked:
                EXPECT_EQ(prompts.log.value(0), QStringLiteral("clear picture?"));
                EXPECT_EQ(pixel(0, 0), 0x000000FFu);
                break;
            case Effect::FlippedRows:
                EXPECT_EQ(pixel(0, h - 1), 0x000000FFu);
                break;
            case Effect::FlippedColumns:
                EXPECT_EQ(pixel(w - 1, 0), 0x000000FFu);
                break;
            case Effect::Captured:
                EXPECT_EQ(prompts.log.value(0), QStringLiteral("busy"));
                EXPECT_EQ(clipboard.size(), QApplication::primaryScreen()->size());
                break;
        }
    }

    // Answers for whichever command runs: a blue image to paste, "Nie" in the clear prompt.
    void prepare() {
        QImage blue(3, 3, QImage::Format_RGB32);
        blue.fill(qRgb(0, 0, 255));
        QApplication::clipboard()->setImage(blue);
        prompts.clearAnswers = {{false, false}};
    }
};

struct Source {
    const char* name;
    bool button;  // a button of the top bar; otherwise a menu or popup item
    Effect effect;
};

class CommandSources : public WindowCommands, public ::testing::WithParamInterface<Source> {};

TEST_P(CommandSources, ReachTheirCommand) {
    const Source& source = GetParam();
    if (source.effect != Effect::Copied && source.effect != Effect::Cut)
        prepare();
    if (source.button) {
        auto* button = child<QToolButton>(source.name);
        ASSERT_TRUE(button && button->isEnabled());
        click(source.name);
    } else {
        ASSERT_TRUE(action(source.name)->isEnabled());
        choose(source.name);
    }
    expectEffect(source.effect, source.name);
}

INSTANTIATE_TEST_SUITE_P(
    MenusButtonsAndPopup, CommandSources,
    ::testing::Values(
        Source{"Cut1", false, Effect::Cut}, Source{"Copy1", false, Effect::Copied},
        Source{"Paste1", false, Effect::Pasted},
        Source{"KoprovapracovnplochuWindows1", false, Effect::Captured},
        Source{"Zmazaobrzok1", false, Effect::ClearAsked},
        Source{"Prevratitvodorovne1", false, Effect::FlippedRows},
        Source{"Prevrtipodazvislejosi1", false, Effect::FlippedColumns},
        Source{"SpeedButton8", true, Effect::Cut}, Source{"SpeedButton9", true, Effect::Copied},
        Source{"SpeedButton10", true, Effect::Pasted}, Source{"Vystrihn1", false, Effect::Cut},
        Source{"Koprova1", false, Effect::Copied}, Source{"Prilepi1", false, Effect::Pasted},
        Source{"Zmaza1", false, Effect::ClearAsked}),
    [](const ::testing::TestParamInfo<Source>& info) { return std::string(info.param.name); });

struct ShortcutCase {
    const char* name;
    QKeyCombination keys;
    const char* logged;     // the first thing the command shows or asks, if anything
    bool publishesPicture;  // the clipboard's text gives way to the picture
};

// Every shortcut of the main menu, pressed while the unseen width field `PenSize` has the focus
// with its whole text selected, runs its command and leaves the field's text alone: Del does
// not empty it, Ctrl+V does not paste the clipboard's text into it, Ctrl+X does not cut it.
TEST_F(WindowCommands, ShortcutsWinOverTheUnseenWidthField) {
    const ShortcutCase cases[] = {
        {"New1", Qt::CTRL | Qt::Key_N, "new picture:488x297", false},
        {"Open1", Qt::CTRL | Qt::Key_O, "open dialog", false},
        {"Saveas1", Qt::CTRL | Qt::Key_U, "save dialog", false},
        {"Tlacit1", Qt::CTRL | Qt::Key_P, "error:There is no default printer currently selected.",
         false},
        {"Cut1", Qt::CTRL | Qt::Key_X, "busy", true},
        {"Copy1", Qt::CTRL | Qt::Key_C, nullptr, true},
        {"Paste1", Qt::CTRL | Qt::Key_V, "message:V schránke sa nenachádza objekt grafického typu.",
         false},
        {"Zmazaobrzok1", QKeyCombination(Qt::Key_Delete), "clear picture?", false},
        {"Nastavifarbupopredia1", Qt::CTRL | Qt::Key_D, "colour:00000000", false},
        {"Nastavifarbupozadia1", Qt::CTRL | Qt::Key_Z, "colour:00ffffff", false},
    };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* penSize = child<SpinEdit>("PenSize");
    ASSERT_TRUE(penSize && penSize->lineEdit()->hasFocus());
    const QString text = penSize->text();
    // No print service, so that Ctrl+P shows that it reached the print command.
    cupsSetServer("/nonexistent/kreslix-cups.sock");
    CurrentPrinter::process().reset();

    for (const ShortcutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(action(c.name)->shortcut(), QKeySequence(c.keys));
        prompts.log.clear();
        prompts.newPictureAnswers = {std::nullopt};
        prompts.openFileAnswers = {std::nullopt};
        prompts.saveFileAnswers = {std::nullopt};
        prompts.clearAnswers = {{false, false}};
        prompts.colourAnswers = {std::nullopt};
        QApplication::clipboard()->setText(QStringLiteral("55"));
        window->document().setModified(false);
        penSize->lineEdit()->selectAll();

        QTest::keyClick(penSize->lineEdit(), c.keys.key(), c.keys.keyboardModifiers());

        EXPECT_EQ(penSize->text(), text);
        EXPECT_EQ(prompts.log.value(0), c.logged ? QString::fromUtf8(c.logged) : QString());
        EXPECT_EQ(QApplication::clipboard()->image().size(),
                  c.publishesPicture ? picture().size() : QSize(0, 0));
    }
    cupsSetServer(nullptr);
    CurrentPrinter::process().reset();
}

}  // namespace
}  // namespace kreslix::testing
