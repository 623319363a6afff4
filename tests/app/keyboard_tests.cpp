#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "app/colour_panel.h"
#include "dialogs/spin_edit.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QToolButton* button(const char* name) const { return child<QToolButton>(name); }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    void keys(std::initializer_list<Qt::Key> sequence) const {
        for (Qt::Key key : sequence)
            QTest::keyClick(QApplication::focusWidget(), key);
    }
    Canvas& canvas() const { return window->document().canvas(); }
};

// The arrows move the focus and choose nothing; Space chooses what the focus is on, as a click
// does: a tool, a width, a fill style, a palette colour for the foreground only.
TEST_F(KeyboardTest, ArrowsMoveAndSpaceChoosesAsAClickDoes) {
    keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
    EXPECT_EQ(focused(), QStringLiteral("ObdlTl"));
    EXPECT_EQ(window->tools().CurrentTool, kLine);
    keys({Qt::Key_Space});
    EXPECT_EQ(window->tools().CurrentTool, kRectangle);
    EXPECT_TRUE(button("ObdlTl")->isChecked());
    EXPECT_TRUE(button("PrazdnyObj")->isVisible());

    keys({Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down});
    EXPECT_EQ(focused(), QStringLiteral("tri"));
    EXPECT_EQ(canvas().pen().width(), 1);
    keys({Qt::Key_Space});
    EXPECT_EQ(canvas().pen().width(), 3);
    EXPECT_EQ(child<SpinEdit>("hr")->text(), QStringLiteral("3"));

    keys({Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space});
    EXPECT_EQ(canvas().brush().style(), bsClear);

    keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab});
    EXPECT_EQ(focused(), QStringLiteral("biela"));
    keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down});
    EXPECT_EQ(focused(), QStringLiteral("silnocervena"));
    EXPECT_EQ(canvas().pen().colour(), kBlack);
    const Colour brush = canvas().brush().colour();
    keys({Qt::Key_Space});
    EXPECT_EQ(canvas().pen().colour(), Colour(0x00000080));
    EXPECT_EQ(window->tools().foreground(), Colour(0x00000080));
    EXPECT_EQ(window->tools().background(), kWhite);
    EXPECT_EQ(canvas().brush().colour(), brush);
    EXPECT_EQ(prompts.beeps, 0);
}

// A button checked without a click (as assistive technology may do) is chosen all the same.
TEST_F(KeyboardTest, ButtonCheckedWithoutAClickIsChosen) {
    button("ElipsaTl")->toggle();
    EXPECT_EQ(window->tools().CurrentTool, kEllipse);
    EXPECT_TRUE(button("PlnyObj")->isVisible());
    button("styry")->toggle();
    EXPECT_EQ(canvas().pen().width(), 4);
    EXPECT_EQ(child<SpinEdit>("hr")->text(), QStringLiteral("4"));
}

// While the left button holds a stroke open, no tool, width or colour changes from the keyboard
// or through assistive technology, as no click can reach the panels; each refusal beeps. A
// right-button stroke does not capture the mouse, and choices go on.
TEST_F(KeyboardTest, NoChoiceWhileTheLeftButtonHoldsAStroke) {
    QAccessibleActionInterface* ellipse =
        QAccessible::queryAccessibleInterface(button("ElipsaTl"))->actionInterface();
    ASSERT_NE(ellipse, nullptr);
    button("ObdlTl")->setFocus(Qt::TabFocusReason);
    press({10, 10});
    keys({Qt::Key_Space});
    ellipse->doAction(QAccessibleActionInterface::toggleAction());
    auto* red = child<ColourCell>("cervena");
    red->setFocus(Qt::TabFocusReason);
    keys({Qt::Key_Space});
    EXPECT_EQ(window->tools().CurrentTool, kLine);
    EXPECT_TRUE(button("CiaraTl")->isChecked());
    EXPECT_EQ(canvas().pen().colour(), kBlack);
    EXPECT_EQ(prompts.beeps, 3);
    release({20, 20});

    press({10, 10}, Qt::RightButton);
    ellipse->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(window->tools().CurrentTool, kEllipse);
    keys({Qt::Key_Space});
    EXPECT_EQ(canvas().pen().colour(), Colour(0x000000FF));
    EXPECT_EQ(prompts.beeps, 3);
}

TEST_F(KeyboardTest, PictureAreaScrollsWithTheKeysAndShowsItHasTheFocus) {
    QImage large(2000, 1500, QImage::Format_RGB32);
    large.fill(Qt::white);
    window->document().replacePicture({large, nullptr});
    auto* area = child<QScrollArea>("ScrollBox1");
    QScrollBar* down = area->verticalScrollBar();
    QScrollBar* across = area->horizontalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    // Reached with Tab, as the user reaches it.
    for (int i = 0; i < 20 && QApplication::focusWidget() != area; ++i)
        keys({Qt::Key_Tab});
    ASSERT_EQ(QApplication::focusWidget(), area);
    keys({Qt::Key_End});
    EXPECT_EQ(down->value(), down->maximum());
    EXPECT_EQ(across->value(), across->maximum());
    keys({Qt::Key_Home, Qt::Key_Down, Qt::Key_Right});
    EXPECT_GT(down->value(), 0);
    EXPECT_GT(across->value(), 0);
    keys({Qt::Key_PageDown});
    EXPECT_GE(down->value(), down->pageStep());

    const QColor highlight = area->palette().color(QPalette::Highlight);
    const QImage shown = area->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, shown.height() / 2), highlight);
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, 1), highlight);
    child("PenSize")->setFocus(Qt::TabFocusReason);
    EXPECT_NE(area->viewport()->grab().toImage().pixelColor(0, shown.height() / 2), highlight);
}

}  // namespace
}  // namespace kreslix::testing
