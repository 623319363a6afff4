#include <QApplication>
#include <QScrollArea>
#include <new>

#include "app/command_runner.h"
#include "app/error_text.h"
#include "common/error.h"
#include "dialogs/spin_edit.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, WindowOpensUntitledWithAWhitePictureAndTheStartPenAndBrush) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kreslix (32bit) - bez názvu"));
    EXPECT_EQ(window->document().caption(), window->windowTitle());
    EXPECT_TRUE(window->document().fileName().isEmpty());
    EXPECT_EQ(window->document().modified(), 0);

    const QImage& picture = window->document().image();
    ASSERT_EQ(picture.size(), QSize(488, 297));
    int notWhite = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            notWhite += pixel(x, y) != kWhite;
    }
    EXPECT_EQ(notWhite, 0);

    const Canvas& canvas = window->document().canvas();
    EXPECT_EQ(canvas.pen().colour(), kBlack);
    EXPECT_EQ(canvas.pen().width(), 1);
    EXPECT_EQ(canvas.pen().style(), psSolid);
    EXPECT_EQ(canvas.pen().mode(), pmCopy);
    EXPECT_EQ(canvas.brush().colour(), kWhite);
    EXPECT_EQ(canvas.brush().style(), bsSolid);
    EXPECT_EQ(window->tools().CurrentTool, 0);
}

TEST_F(StartupTest, WindowIsAtLeastItsDesignedSize) {
    EXPECT_GE(window->width(), 628);
    EXPECT_GE(window->height(), 456);
}

struct SizeCase {
    QSize offered;
    QSize expected;
};

class CreationSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CreationSizeTest, OfferedSizeIsRaisedToTheDesignedMinimumOnly) {
    EXPECT_EQ(THlavneOkno::creationSize(GetParam().offered), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CreationSizeTest,
    ::testing::Values(SizeCase{{500, 300}, {628, 456}}, SizeCase{{800, 600}, {800, 600}},
                      SizeCase{{500, 600}, {628, 600}}, SizeCase{{800, 300}, {800, 456}},
                      SizeCase{{627, 455}, {628, 456}}, SizeCase{{628, 456}, {628, 456}},
                      SizeCase{{0, 0}, {628, 456}}));

TEST_F(StartupTest, PictureSitsAtOneZeroInTheScrollBoxWithCrossHairAndHint) {
    auto* scrollBox = child<QScrollArea>("ScrollBox1");
    ASSERT_NE(scrollBox, nullptr);
    QWidget* view = image();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->parentWidget(), scrollBox->widget());
    EXPECT_EQ(view->pos(), QPoint(1, 0));
    EXPECT_EQ(view->size(), QSize(488, 297));
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(view->toolTip(), QStringLiteral("Dajte sa do kreslenia..."));
}

// The width fields come first; then each group of choices is one stop, entered at the button
// that is down, and the fill toggles only while they are shown.
TEST_F(StartupTest, FocusStartsInPenSizeAndTabVisitsEachGroupOnce) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* penSize = child<SpinEdit>("PenSize");
    ASSERT_TRUE(penSize);
    EXPECT_TRUE(penSize->hasFocus());

    const auto tabCycle = [] {
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            while (focused && focused->objectName().isEmpty())
                focused = focused->parentWidget();
            visited << (focused ? focused->objectName() : QStringLiteral("none"));
        }
        return visited;
    };
    EXPECT_EQ(tabCycle(), QStringList({"hr", "CiaraTl", "jeden", "ScrollBox1", "FarbaPop",
                                       "FarbaPoz", "biela", "PenSize", "hr", "CiaraTl"}));
    click("ZaobObdlTl");
    click("pat");
    click("PrazdnyObj");
    penSize->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(tabCycle(), QStringList({"hr", "ZaobObdlTl", "pat", "PrazdnyObj", "ScrollBox1",
                                       "FarbaPop", "FarbaPoz", "biela", "PenSize", "hr"}));
}

struct FullStopCase {
    const char* message;
    const char* shown;
};

class ErrorBoxTextTest : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorBoxTextTest, FullStopFollowsOnlyCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText(QString::fromUtf8(GetParam().message)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxTextTest,
    ::testing::Values(FullStopCase{"", ""}, FullStopCase{".", "."}, FullStopCase{"!", "!"},
                      FullStopCase{")", ")"}, FullStopCase{"Hotovo!", "Hotovo!"},
                      FullStopCase{"(chyba)", "(chyba)"}, FullStopCase{"a-", "a-"},
                      FullStopCase{"a ", "a "}, FullStopCase{"Koniec.", "Koniec."},
                      FullStopCase{"Cannot create file /tmp/x", "Cannot create file /tmp/x."},
                      FullStopCase{"a/", "a/."}, FullStopCase{"JPEG error #42", "JPEG error #42."},
                      FullStopCase{"0", "0."}, FullStopCase{"Z", "Z."},
                      FullStopCase{"Chyba súboru č", "Chyba súboru č."}, FullStopCase{"ľ", "ľ."},
                      FullStopCase{"€", "€."}));

struct RunnerCase {
    const char* what;
    std::function<void()> handler;
    QStringList errors;
};

class CommandRunnerTest : public ::testing::TestWithParam<RunnerCase> {};

TEST_P(CommandRunnerTest, FailureIsShownOnceAndNeverEscapes) {
    ScriptedPrompts prompts;
    CommandRunner runner(prompts);
    bool doneBefore = false;
    EXPECT_NO_THROW(runner.run([&] {
        doneBefore = true;
        GetParam().handler();
    }));
    EXPECT_TRUE(doneBefore);
    EXPECT_EQ(prompts.errors, GetParam().errors);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CommandRunnerTest,
    ::testing::Values(
        RunnerCase{"nothing", [] {}, {}},
        RunnerCase{"own error",
                   [] { throw KreslixError(QStringLiteral("Cannot open file x")); },
                   {"Cannot open file x."}},
        RunnerCase{"own error ending in !",
                   [] { throw KreslixError(QStringLiteral("Pozor!")); },
                   {"Pozor!"}},
        RunnerCase{"silent abort", [] { throw SilentAbort(); }, {}},
        RunnerCase{"std exception", [] { throw std::runtime_error("boom"); }, {"boom."}},
        RunnerCase{"out of memory", [] { throw std::bad_alloc(); }, {"Out of memory."}}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

}  // namespace
}  // namespace kreslix::testing
