#include <QTemporaryDir>
#include <QTest>
#include <new>
#include <stdexcept>

#include "app/command_runner.h"
#include "app/telo.h"
#include "common/error.h"
#include "document/files/picture_file.h"
#include "document/new_picture.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

// Closing the main window runs the save-changes step on every attempt, whatever the flag.
class CloseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    ScriptedPrompts prompts;
    THlavneOkno window{prompts};
    QTemporaryDir folder;
};

TEST_F(CloseTest, RightAfterStartEveryCloseAsks) {
    prompts.saveChangesAnswers = {ModalResult::Cancel, ModalResult::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(prompts.log, (QStringList{"beep", "save changes?", "beep", "save changes?"}));
    EXPECT_TRUE(prompts.errors.isEmpty());

    prompts.saveChangesAnswers = {ModalResult::No};
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CloseTest, AsksAlsoAfterSave) {
    window.document().setFileName(folder.filePath("own.bmp"));
    EXPECT_EQ(window.document().modified(), 0);
    prompts.saveChangesAnswers = {ModalResult::Yes};
    EXPECT_TRUE(window.close());
    EXPECT_EQ(prompts.log, (QStringList{"beep", "save changes?"}));
    EXPECT_EQ(readPictureFile(folder.filePath("own.bmp")).image, window.document().image());
}

// "Án&o" on an untitled picture opens the save dialog; cancelling it still closes.
TEST_F(CloseTest, CancelledSaveDialogStillCloses) {
    prompts.saveChangesAnswers = {ModalResult::Yes};
    prompts.saveFileAnswers = {std::nullopt};
    EXPECT_TRUE(window.close());
    EXPECT_EQ(prompts.log, (QStringList{"beep", "save changes?", "save dialog"}));
}

TEST_F(CloseTest, FailedWriteRefusesTheClose) {
    const QString missing = folder.filePath("gone/own.bmp");
    window.document().setFileName(missing);
    prompts.saveChangesAnswers = {ModalResult::Yes};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("Cannot create file ") + missing + "."});
}

// The runner shows a command's failure with the full stop and swallows a silent abort.
TEST(CommandRunnerTest, ShowsFailuresOfDocumentCommands) {
    ScriptedPrompts prompts;
    DocumentState document;
    const CommandRunner runner(prompts);
    prompts.newPictureAnswers = {NewPictureAnswer{"", "1", kWhite}};
    runner.run([&] { New1Click(document, prompts); });
    document.setModified(true);
    prompts.saveChangesAnswers = {ModalResult::Cancel};
    runner.run([&] { New1Click(document, prompts); });
    EXPECT_EQ(prompts.errors, QStringList{"'' is not a valid integer value."});
}

// Each kind of failure a handler can throw ends in the error box, a silent abort in none, and
// no exception leaves the runner.
TEST(CommandRunnerTest, EveryKindOfFailureEndsInTheErrorBox) {
    ScriptedPrompts prompts;
    const CommandRunner runner(prompts);
    runner.run([] { throw SilentAbort(); });
    runner.run([] { throw std::bad_alloc(); });
    runner.run([] { throw std::runtime_error("Disk on fire"); });
    runner.run([] { throw 42; });
    EXPECT_EQ(prompts.errors, (QStringList{"Out of memory.", "Disk on fire.", "Unknown failure."}));
}

}  // namespace
}  // namespace kreslix::testing
