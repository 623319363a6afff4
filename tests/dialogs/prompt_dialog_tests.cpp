#include <gtest/gtest.h>

#include <QAccessible>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QWindow>
#include <functional>
#include <utility>

#include "app/dialog_prompts.h"
#include "common/modal_result.h"
#include "dialogs/OkUloz.h"
#include "dialogs/existuje.h"
#include "dialogs/novyd.h"
#include "dialogs/spin_edit.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

struct ButtonLayout {
    const char* name;
    QString caption;
    QRect geometry;
};

void expectLabel(const QDialog& dialog, const char* name, const QString& text, QPoint at) {
    const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->pos(), at);
}

void expectButtons(const QDialog& dialog, const std::vector<ButtonLayout>& buttons) {
    for (const ButtonLayout& b : buttons) {
        const auto* button = dialog.findChild<QPushButton*>(QLatin1String(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), b.caption) << b.name;
        EXPECT_EQ(button->geometry(), b.geometry) << b.name;
        EXPECT_FALSE(button->isDefault()) << b.name;
    }
}

TEST(OknoUloz, ShowsTheQuestionAndThreeButtons) {
    TOknoUloz dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("OknoUloz"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kreslix"));
    EXPECT_EQ(dialog.size(), QSize(264, 109));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    expectLabel(dialog, "Label1", QStringLiteral("Uložiť zmeny v dokumente ?"), {64, 24});
    expectButtons(dialog, {{"ano", QStringLiteral("Án&o"), {16, 72, 75, 25}},
                           {"nie", QStringLiteral("&Nie"), {96, 72, 75, 25}},
                           {"zrusit", QStringLiteral("&Zrušiť"), {176, 72, 75, 25}}});
}

// The question icon is there by the time the prompt is shown (it is looked up only then).
TEST(OknoUloz, ShowsTheQuestionIcon) {
    TOknoUloz dialog;
    const QImage expected = dialog.style()
                                ->standardIcon(QStyle::SP_MessageBoxQuestion)
                                .pixmap(32, 32)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull());
    actOnModal([&expected](QDialog& d) {
        const auto* icon = d.findChild<QLabel*>(QStringLiteral("Image1"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->geometry(), QRect(16, 16, 32, 32));
        EXPECT_EQ(icon->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), expected);
        clickButton(d, "zrusit");
    });
    dialog.exec();
}

TEST(OknoUloz, ButtonsGiveYesNoCancel) {
    TOknoUloz dialog;
    const std::pair<const char*, ModalResult> cases[] = {
        {"ano", ModalResult::Yes}, {"nie", ModalResult::No}, {"zrusit", ModalResult::Cancel}};
    for (const auto& [name, result] : cases) {
        actOnModal([name](QDialog& d) { clickButton(d, name); });
        EXPECT_EQ(dialog.exec(), static_cast<int>(result)) << name;
    }
}

TEST(Existu, ShowsTheWarningAndTwoButtons) {
    Texistu dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("existu"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Upozornenie"));
    expectLabel(dialog, "Label1", QStringLiteral("Vybraný súbor už existuje."), {48, 16});
    expectLabel(dialog, "Label2", QStringLiteral("Chcete ho prepísať?"), {56, 32});
    expectButtons(dialog, {{"ano", QStringLiteral("Áno"), {32, 56, 75, 25}},
                           {"nie", QStringLiteral("Nie"), {120, 56, 75, 25}}});
}

// 233 × 119 is its outer size, frame and title bar included, whatever frame it gets.
TEST(Existu, HasItsOuterSize) {
    Texistu dialog;
    QRect outer;
    QMargins frame;
    actOnModal([&](QDialog& d) {
        outer = d.frameGeometry();
        frame = d.windowHandle()->frameMargins();
        clickButton(d, "ano");
    });
    dialog.exec();
    EXPECT_EQ(outer.size(), QSize(233, 119)) << "frame " << frame.left() << "," << frame.top();
    EXPECT_EQ(dialog.size(), QSize(233, 119).shrunkBy(frame));
}

// Both buttons close with OK; the button pressed is the answer, also when it changes.
TEST(Existu, AnswersByTheButtonPressed) {
    Texistu dialog;
    for (const auto& [name, replace] :
         {std::pair{"ano", true}, std::pair{"nie", false}, std::pair{"ano", true}}) {
        actOnModal([name](QDialog& d) { clickButton(d, name); });
        EXPECT_EQ(dialog.exec(), static_cast<int>(ModalResult::OK));
        EXPECT_EQ(dialog.replaceChosen(), replace) << name;
    }
}

// The real prompts behind the interface: the forms answer as their buttons say.
class DialogPromptsTest : public ::testing::Test {
protected:
    void SetUp() override {
        prompts.setWindow(&window);
        prompts.setForms(newPicture, saveChanges);
    }

    QWidget window;
    TNewBMPForm* newPicture = new TNewBMPForm(&window);
    TOknoUloz* saveChanges = new TOknoUloz(&window);
    DialogPrompts prompts;
};

TEST_F(DialogPromptsTest, SaveChangesAndOverwriteAnswers) {
    actOnModal([](QDialog& d) { clickButton(d, "nie"); });
    EXPECT_EQ(prompts.askSaveChanges(), ModalResult::No);
    actOnModal([](QDialog& d) { clickButton(d, "zrusit"); });
    EXPECT_EQ(prompts.askSaveChanges(), ModalResult::Cancel);

    actOnModal([](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("existu"));
        clickButton(d, "ano");
    });
    EXPECT_TRUE(prompts.askOverwrite());
    actOnModal([](QDialog& d) { clickButton(d, "nie"); });
    EXPECT_FALSE(prompts.askOverwrite());
}

// The error box shows its text as typed: a name that looks like markup is not read as markup.
TEST_F(DialogPromptsTest, ErrorBoxShowsPlainText) {
    const QString text = QStringLiteral("Cannot open file /tmp/a<b>x</b>&amp;.bmp.");
    QString shown;
    actOnModal([&](QDialog& d) {
        auto* label = d.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        shown = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    prompts.showError(text);
    EXPECT_EQ(shown, text);
}

// Qt's standard dialogs are not made with the window (they would slow the start) but at their
// first use, each once, and then kept so that they remember the last choice.
TEST_F(DialogPromptsTest, StandardDialogsAreMadeAtFirstUseAndKept) {
    EXPECT_TRUE(window.findChildren<QFileDialog*>().isEmpty());
    EXPECT_TRUE(window.findChildren<QColorDialog*>().isEmpty());
    const std::pair<const char*, std::function<bool()>> uses[] = {
        {"OpenDialog1", [this] { return prompts.chooseOpenFile().has_value(); }},
        {"SaveDialog1", [this] { return prompts.chooseSaveFile().has_value(); }},
        {"ColorDialog1", [this] { return prompts.chooseColour(kBlack).has_value(); }},
    };
    for (const auto& [name, use] : uses) {
        QDialog* shown[2] = {};
        for (QDialog*& dialog : shown) {
            actOnModal([&dialog](QDialog& d) {
                dialog = &d;
                d.reject();
            });
            EXPECT_FALSE(use()) << name;
        }
        ASSERT_NE(shown[0], nullptr) << name;
        EXPECT_EQ(shown[0]->objectName(), QLatin1String(name));
        EXPECT_EQ(shown[0]->parent(), &window) << name;
        EXPECT_EQ(shown[1], shown[0]) << name;
    }
    EXPECT_EQ(window.findChildren<QFileDialog*>().size(), 2);
}

// The new-picture dialog opens with the size texts, the focus in the width field and its whole
// text selected; typing replaces it.
TEST_F(DialogPromptsTest, NewPictureOpensOnTheWidthSelected) {
    actOnModal([this](QDialog& d) {
        QLineEdit* width = newPicture->WidthEdit()->lineEdit();
        ASSERT_TRUE(QTest::qWaitFor([&] { return width->selectedText() == "488"; }, 2000))
            << width->selectedText().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), width);
        QTest::keyClicks(width, QStringLiteral("+300"));
        QTest::keyClick(width, Qt::Key_Tab);
        QLineEdit* height = newPicture->HeightEdit()->lineEdit();
        ASSERT_TRUE(QTest::qWaitFor([&] { return height->selectedText() == "297"; }, 2000));
        QTest::keyClicks(height, QStringLiteral("200"));
        QTest::keyClick(height, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    const std::optional<NewPictureAnswer> answer = prompts.askNewPicture("488", "297");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->widthText, QStringLiteral("+300"));
    EXPECT_EQ(answer->heightText, QStringLiteral("200"));
    EXPECT_EQ(answer->background, kWhite);

    actOnModal([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(prompts.askNewPicture("300", "200").has_value());
    // Closed with the focus in the width field, it opens on that field selected again.
    actOnModal([this](QDialog& d) {
        QLineEdit* width = newPicture->WidthEdit()->lineEdit();
        EXPECT_TRUE(QTest::qWaitFor([&] { return width->selectedText() == "640"; }, 2000))
            << width->selectedText().toStdString();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(prompts.askNewPicture("640", "480").has_value());
}

}  // namespace
}  // namespace kreslix::testing
