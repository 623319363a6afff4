#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "dialogs/spin_edit.h"
#include "tests/support/event_queue.h"

namespace kreslix::testing {
namespace {

// A field in a shown, active window, with its refusal beeps counted.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        bounded.setGeometry(10, 10, 97, 22);
        unbounded.setGeometry(10, 50, 97, 22);
        for (SpinEdit* field : {&bounded, &unbounded}) {
            field->setRefusalBeep([this] { ++beeps; });
        }
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Sets the text and gives the field the focus as a click would, without selecting.
    static QLineEdit* enter(SpinEdit& field, const QString& text) {
        field.setText(text);
        field.lineEdit()->setFocus(Qt::MouseFocusReason);
        field.lineEdit()->deselect();
        field.lineEdit()->end(false);
        return field.lineEdit();
    }
    static void arrow(SpinEdit& field, Qt::ArrowType type) {
        for (QToolButton* button : field.findChildren<QToolButton*>()) {
            if (button->arrowType() == type)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    QWidget window;
    SpinEdit bounded{1, 99, &window};   // as the pen-width field
    SpinEdit unbounded{0, 0, &window};  // as the size fields of the new-picture dialog
    int beeps = 0;
};

// Digits, signs and the decimal separator are typed; anything else is refused with a beep.
TEST_F(SpinEditTest, TypingAcceptsOnlyNumberCharacters) {
    const QString separator = QLocale().decimalPoint();
    QLineEdit* edit = enter(unbounded, QString());
    QTest::keyClicks(edit, QStringLiteral("1a2 b+-x") + separator + QStringLiteral("5,"));
    const QString accepted = QStringLiteral("12+-") + separator + QStringLiteral("5");
    const int refused = separator == QStringLiteral(",") ? 4 : 5;
    EXPECT_EQ(edit->text(), separator == QStringLiteral(",") ? accepted + "," : accepted);
    EXPECT_EQ(beeps, refused);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(beeps, refused);
}

// Digits of other scripts (Arabic-Indic, Devanagari, full-width) are refused like letters: the
// value is read from "0" to "9" alone.
TEST_F(SpinEditTest, DigitsOfOtherScriptsAreRefused) {
    QLineEdit* edit = enter(unbounded, QStringLiteral("1"));
    const char16_t digits[] = {u'\u0663', u'\u06F5', u'\u0967', u'\uFF15'};
    for (const char16_t digit : digits) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(digit)));
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    EXPECT_EQ(beeps, 4);
}

struct Step {
    const char* text;
    Qt::Key key;
    const char* after;
};

class UnboundedSteps : public SpinEditTest, public ::testing::WithParamInterface<Step> {};

// Up and Down add or subtract 1, from 0 when the text is no number, with no bounds.
TEST_P(UnboundedSteps, FromTheText) {
    QLineEdit* edit = enter(unbounded, QString::fromUtf8(GetParam().text));
    QTest::keyClick(edit, GetParam().key);
    EXPECT_EQ(unbounded.text(), QString::fromUtf8(GetParam().after));
    EXPECT_EQ(beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnboundedSteps,
    ::testing::Values(Step{"abc", Qt::Key_Up, "1"}, Step{"abc", Qt::Key_Down, "-1"},
                      Step{"", Qt::Key_Up, "1"}, Step{"12,5", Qt::Key_Up, "1"},
                      Step{"+300", Qt::Key_Down, "299"}, Step{"0", Qt::Key_Down, "-1"},
                      Step{"-7", Qt::Key_Down, "-8"}, Step{"5000000", Qt::Key_Up, "5000001"},
                      Step{"2147483647", Qt::Key_Up, "2147483647"},
                      Step{"-2147483648", Qt::Key_Down, "-2147483648"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

class BoundedSteps : public SpinEditTest, public ::testing::WithParamInterface<Step> {};

// In a field of 1 to 99 the steps clamp; a text that is no integer counts as 1.
TEST_P(BoundedSteps, ClampToTheBounds) {
    QLineEdit* edit = enter(bounded, QString::fromUtf8(GetParam().text));
    QTest::keyClick(edit, GetParam().key);
    EXPECT_EQ(bounded.text(), QString::fromUtf8(GetParam().after));

    enter(bounded, QString::fromUtf8(GetParam().text));
    arrow(bounded, GetParam().key == Qt::Key_Up ? Qt::UpArrow : Qt::DownArrow);
    EXPECT_EQ(bounded.text(), QString::fromUtf8(GetParam().after)) << "by the arrow button";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BoundedSteps,
    ::testing::Values(Step{"99", Qt::Key_Up, "99"}, Step{"150", Qt::Key_Up, "99"},
                      Step{"1", Qt::Key_Down, "1"}, Step{"-5", Qt::Key_Down, "1"},
                      Step{"abc", Qt::Key_Up, "2"}, Step{"abc", Qt::Key_Down, "1"},
                      Step{"50", Qt::Key_Up, "51"}, Step{"50", Qt::Key_Down, "49"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(SpinEditTest, ValueOfTextThatIsNoIntegerIsTheMinimum) {
    for (const QString text : {"abc", "", "12.5", "12,5", "-", "7x"}) {
        bounded.setText(text);
        EXPECT_EQ(bounded.value(), 1) << text.toStdString();
        unbounded.setText(text);
        EXPECT_EQ(unbounded.value(), 0) << text.toStdString();
    }
    bounded.setText(QStringLiteral("150"));
    EXPECT_EQ(bounded.value(), 150);
}

// A typed value is used as typed; leaving the field clamps it, but text that is no integer stays.
TEST_F(SpinEditTest, LeavingTheFieldClamps) {
    const std::pair<const char*, const char*> cases[] = {{"150", "99"},  {"0", "1"}, {"-3", "1"},
                                                         {"5-3", "5-3"}, {"+", "+"}, {"42", "42"}};
    for (const auto& [typed, left] : cases) {
        QLineEdit* edit = enter(bounded, QString());
        QTest::keyClicks(edit, QString::fromUtf8(typed));
        EXPECT_EQ(bounded.text(), QString::fromUtf8(typed));
        unbounded.lineEdit()->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(bounded.text(), QString::fromUtf8(left)) << typed;
    }
    QLineEdit* edit = enter(unbounded, QStringLiteral("-150000"));
    bounded.lineEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("-150000"));
}

TEST_F(SpinEditTest, ArrowClickPutsTheFocusInTheField) {
    bounded.lineEdit()->clearFocus();
    bounded.setText(QStringLiteral("5"));
    arrow(bounded, Qt::UpArrow);
    EXPECT_EQ(QApplication::focusWidget(), bounded.lineEdit());
    EXPECT_EQ(bounded.text(), QStringLiteral("6"));
    drainEvents();
    EXPECT_TRUE(bounded.lineEdit()->selectedText().isEmpty());
}

TEST_F(SpinEditTest, EveryChangeOfTheTextIsAnnounced) {
    QSignalSpy changes(&bounded, &SpinEdit::textChanged);
    QLineEdit* edit = enter(bounded, QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClicks(edit, QStringLiteral("3"));
    ASSERT_GE(changes.size(), 3);
    EXPECT_EQ(changes.at(changes.size() - 2).at(0).toString(), QStringLiteral("8"));
    EXPECT_EQ(changes.last().at(0).toString(), QStringLiteral("83"));
}

}  // namespace
}  // namespace kreslix::testing
