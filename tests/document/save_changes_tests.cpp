#include <QDir>
#include <QFile>
#include <QStringList>

#include "common/error.h"
#include "document/file_commands.h"
#include "document/files/picture_file.h"
#include "document/new_picture.h"
#include "document/save_changes.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

using SaveChangesTest = DocumentTest;

const QStringList kAsked = {QStringLiteral("beep"), QStringLiteral("save changes?")};

TEST_F(SaveChangesTest, BeepsThenAsks) {
    prompts.saveChangesAnswers = {ModalResult::No};
    runSaveChangesStep(document, prompts);
    EXPECT_EQ(prompts.log, kAsked);
}

TEST_F(SaveChangesTest, UnchangedDocumentIsNotAskedByNewOrOpen) {
    prompts.newPictureAnswers = {std::nullopt};
    New1Click(document, prompts);
    runSaveChangesStepIfModified(document, prompts);
    EXPECT_EQ(prompts.log, QStringList{QStringLiteral("new picture:488x297")});
    EXPECT_EQ(prompts.beeps, 0);
}

TEST_F(SaveChangesTest, CancelEndsNewBeforeTheSizeIsAsked) {
    draw();
    const DocumentSnapshot before = snapshot(document);
    prompts.saveChangesAnswers = {ModalResult::Cancel};
    EXPECT_THROW(New1Click(document, prompts), SilentAbort);
    EXPECT_EQ(prompts.log, kAsked);
    EXPECT_EQ(snapshot(document), before);
    EXPECT_TRUE(folder.isValid() && QDir(folder.path()).isEmpty());
}

TEST_F(SaveChangesTest, NoGoesOnWithoutWriting) {
    draw();
    prompts.saveChangesAnswers = {ModalResult::No};
    prompts.newPictureAnswers = {NewPictureAnswer{"20", "10", kWhite}};
    New1Click(document, prompts);
    EXPECT_EQ(prompts.log, (kAsked + QStringList{"new picture:488x297", "busy", "idle"}));
    EXPECT_EQ(document.picture().image.size(), QSize(20, 10));
}

// Any result but Yes and Cancel goes on like No.
TEST_F(SaveChangesTest, OtherResultsGoOnLikeNo) {
    for (ModalResult answer : {ModalResult::None, ModalResult::OK}) {
        prompts.saveChangesAnswers = {answer};
        EXPECT_NO_THROW(runSaveChangesStep(document, prompts));
    }
    EXPECT_FALSE(prompts.log.contains(QStringLiteral("save dialog")));
}

TEST_F(SaveChangesTest, YesOnUntitledWritesChosenFileWithoutNamingTheDocument) {
    draw();
    const QImage drawn = document.picture().image;
    prompts.saveChangesAnswers = {ModalResult::Yes};
    prompts.saveFileAnswers = {path("chosen.bmp")};
    prompts.newPictureAnswers = {std::nullopt};
    New1Click(document, prompts);

    EXPECT_EQ(writtenPicture(path("chosen.bmp")), drawn);
    EXPECT_EQ(snapshot(document),
              (DocumentSnapshot{QString(), 1, true, DocumentState::untitledCaption(), drawn}));
}

TEST_F(SaveChangesTest, CancelledSaveDialogStillGoesOn) {
    draw();
    prompts.saveChangesAnswers = {ModalResult::Yes};
    prompts.saveFileAnswers = {std::nullopt};
    prompts.newPictureAnswers = {NewPictureAnswer{"30", "40", kWhite}};
    New1Click(document, prompts);
    EXPECT_EQ(prompts.log,
              (kAsked + QStringList{"save dialog", "new picture:488x297", "busy", "idle"}));
    EXPECT_EQ(document.picture().image.size(), QSize(30, 40));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// "Nie" shows the save dialog again for as long as existing files are chosen.
TEST_F(SaveChangesTest, ExistingFilesAreAskedAboutAndNieChoosesAgain) {
    draw();
    writeBytes(path("a.bmp"), "old a");
    writeBytes(path("b.bmp"), "old b");
    prompts.saveFileAnswers = {path("a.bmp"), path("b.bmp"), path("a.bmp"), path("c.bmp")};
    prompts.overwriteAnswers = {false, false, false};
    prompts.saveChangesAnswers = {ModalResult::Yes};
    runSaveChangesStep(document, prompts);

    const QStringList asked = {"save dialog", "beep", "overwrite?"};
    EXPECT_EQ(prompts.log, kAsked + asked + asked + asked + QStringList{"save dialog"});
    EXPECT_EQ(fileBytes(path("a.bmp")), "old a");
    EXPECT_EQ(fileBytes(path("b.bmp")), "old b");
    EXPECT_EQ(writtenPicture(path("c.bmp")), document.picture().image);
    EXPECT_TRUE(document.fileName().isEmpty());
}

TEST_F(SaveChangesTest, AnoReplacesTheExistingFile) {
    draw();
    writeBytes(path("a.bmp"), QByteArray(100000, 'x'));
    prompts.saveChangesAnswers = {ModalResult::Yes};
    prompts.saveFileAnswers = {path("a.bmp")};
    prompts.overwriteAnswers = {true};
    runSaveChangesStep(document, prompts);
    EXPECT_EQ(writtenPicture(path("a.bmp")), document.picture().image);
    EXPECT_TRUE(prompts.saveFileAnswers.empty() && prompts.overwriteAnswers.empty());
}

// A named BMP document is written to its own file, in any letter case of the ending, and the
// step changes neither the name, the caption, the flag nor the Save button.
TEST_F(SaveChangesTest, NamedBmpDocumentIsWrittenWithoutDialog) {
    for (const QString name : {"own.bmp", "OWN2.BMP", "own3bmp"}) {
        SCOPED_TRACE(name.toStdString());
        document.setFileName(path(name));
        draw();
        const DocumentSnapshot before = snapshot(document);
        prompts.log.clear();
        prompts.saveChangesAnswers = {ModalResult::Yes};
        runSaveChangesStep(document, prompts);
        EXPECT_EQ(prompts.log, kAsked);
        EXPECT_EQ(writtenPicture(path(name)), document.picture().image);
        EXPECT_EQ(snapshot(document), before);
    }
}

// A document whose file is no BMP file (opened from a JPEG) is treated as untitled: its file is
// never overwritten with BMP data.
TEST_F(SaveChangesTest, JpegNamedDocumentOpensTheSaveDialogAndKeepsItsFile) {
    const QByteArray jpeg = fileBytes(testdata("jpeg/baseline--hopper.jpg"));
    ASSERT_FALSE(jpeg.isEmpty());
    writeBytes(path("photo.jpg"), jpeg);
    document.setFileName(path("photo.jpg"));
    draw();
    prompts.saveChangesAnswers = {ModalResult::Yes};
    prompts.saveFileAnswers = {path("photo.bmp")};
    runSaveChangesStep(document, prompts);

    EXPECT_EQ(prompts.log, kAsked + QStringList{"save dialog"});
    EXPECT_EQ(fileBytes(path("photo.jpg")), jpeg);
    EXPECT_EQ(writtenPicture(path("photo.bmp")), document.picture().image);
    EXPECT_EQ(document.fileName(), path("photo.jpg"));
}

struct FailedWrite {
    const char* command;
    void (*run)(DocumentState&, Prompts&);
    const char* nextQuestion;  // the question the command would ask after the step
};

class FailedWriteInStep : public DocumentTest, public ::testing::WithParamInterface<FailedWrite> {};

// A write that fails inside the step stops New and Open before they replace the picture.
TEST_P(FailedWriteInStep, StopsTheCommandWithTheMessage) {
    const QString missing = path("no folder/own.bmp");
    document.setFileName(missing);
    draw();
    const DocumentSnapshot before = snapshot(document);
    prompts.saveChangesAnswers = {ModalResult::Yes};
    try {
        GetParam().run(document, prompts);
        ADD_FAILURE() << "no failure";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
    EXPECT_FALSE(prompts.log.join(u'|').contains(QLatin1String(GetParam().nextQuestion)));
    EXPECT_EQ(snapshot(document), before);
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedWriteInStep,
                         ::testing::Values(FailedWrite{"New", New1Click, "new picture"},
                                           FailedWrite{"Open", Open1Click, "open dialog"}),
                         [](const auto& info) { return std::string(info.param.command); });

}  // namespace
}  // namespace kreslix::testing
