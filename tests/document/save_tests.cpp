#include <QDir>
#include <QFile>

#include "common/error.h"
#include "document/file_commands.h"
#include "document/files/picture_file.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

using SaveTest = DocumentTest;

TEST_F(SaveTest, SaveOnUntitledRunsSaveAs) {
    draw();
    prompts.saveFileAnswers = {path("first.bmp")};
    Save1Click(document, prompts);
    EXPECT_EQ(prompts.log, (QStringList{"save dialog", "busy", "idle"}));
    EXPECT_EQ(writtenPicture(path("first.bmp")), document.picture().image);
    EXPECT_EQ(snapshot(document),
              (DocumentSnapshot{path("first.bmp"), 0, false, captionFor("first.bmp"),
                                document.picture().image}));
}

// Save writes to the document's own file without a dialog and leaves the caption alone.
TEST_F(SaveTest, SaveOnNamedDocumentWritesItsFile) {
    nameDocument("own.bmp");
    document.setFileName(path("renamed.BMP"));
    draw();
    Save1Click(document, prompts);
    EXPECT_EQ(prompts.log, QStringList({"busy", "idle"})) << "no dialog, the busy cursor only";
    EXPECT_EQ(writtenPicture(path("renamed.BMP")), document.picture().image);
    EXPECT_EQ(document.modified(), 0);
    EXPECT_FALSE(document.saveButtonEnabled());
    EXPECT_EQ(document.caption(), captionFor("own.bmp"));
}

// A document opened from a JPEG is never written back into its JPEG file: Save runs Save as.
TEST_F(SaveTest, SaveOnJpegNamedDocumentRunsSaveAs) {
    const QByteArray jpeg = fileBytes(testdata("jpeg/baseline--hopper.jpg"));
    writeBytes(path("photo.jpg"), jpeg);
    prompts.openFileAnswers = {path("photo.jpg")};
    Open1Click(document, prompts);
    ASSERT_EQ(document.fileName(), path("photo.jpg"));
    prompts.log.clear();

    prompts.saveFileAnswers = {path("photo.bmp")};
    Save1Click(document, prompts);
    EXPECT_EQ(prompts.log.value(0), QStringLiteral("save dialog"));
    EXPECT_EQ(fileBytes(path("photo.jpg")), jpeg);
    EXPECT_EQ(document.fileName(), path("photo.bmp"));
    EXPECT_EQ(writtenPicture(path("photo.bmp")), document.picture().image);
}

TEST_F(SaveTest, FailedSaveChangesNothing) {
    document.setFileName(path("gone/own.bmp"));
    draw();
    const DocumentSnapshot before = snapshot(document);
    EXPECT_THROW(Save1Click(document, prompts), KreslixError);
    EXPECT_EQ(snapshot(document), before);
}

// The dialog adds ".bmp" to a bare name; Save as itself writes exactly the chosen path.
TEST_F(SaveTest, SaveAsWritesTheChosenPathAsGiven) {
    for (const QString name : {"obrazok.bmp", "UPPER.BMP", "mixed.bMp", "obrazokbmp"}) {
        SCOPED_TRACE(name.toStdString());
        draw();
        prompts.log.clear();
        prompts.saveFileAnswers = {path(name)};
        Saveas1Click(document, prompts);
        EXPECT_EQ(prompts.log, (QStringList{"save dialog", "busy", "idle"}));
        EXPECT_EQ(writtenPicture(path(name)), document.picture().image);
        EXPECT_EQ(snapshot(document), (DocumentSnapshot{path(name), 0, false, captionFor(name),
                                                        document.picture().image}));
    }
    EXPECT_EQ(QDir(folder.path()).count(), 4u + 2u);  // the four files with "." and ".."
}

// A chosen name that does not end in "bmp" writes nothing and changes nothing.
TEST_F(SaveTest, SaveAsRefusesOtherEndings) {
    struct Case {
        const char* name;
        const char* extension;
    };
    for (const Case c : {Case{"photo.jpg", "jpg"}, Case{"photo.png", "png"}, Case{"plain", ""},
                         Case{"bmp.txt", "txt"}}) {
        SCOPED_TRACE(c.name);
        nameDocument("own.bmp");
        draw();
        const DocumentSnapshot before = snapshot(document);
        prompts.saveFileAnswers = {path(c.name)};
        try {
            Saveas1Click(document, prompts);
            ADD_FAILURE() << "no failure";
        } catch (const KreslixError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Unknown picture file extension (.%1)").arg(c.extension));
        }
        EXPECT_FALSE(QFile::exists(path(c.name)));
        EXPECT_EQ(snapshot(document), before);
    }
}

// A failed write leaves the document's name as it was: the name is taken only with the picture.
TEST_F(SaveTest, FailedSaveAsChangesNothing) {
    nameDocument("own.bmp");
    draw();
    const DocumentSnapshot before = snapshot(document);
    const QString missing = path("gone/new.bmp");
    prompts.saveFileAnswers = {missing};
    try {
        Saveas1Click(document, prompts);
        ADD_FAILURE() << "no failure";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
    EXPECT_EQ(snapshot(document), before);
    EXPECT_EQ(prompts.log, (QStringList{"save dialog", "busy", "idle"}));
    EXPECT_FALSE(prompts.busy);
}

TEST_F(SaveTest, CancelledSaveAsChangesNothing) {
    draw();
    const DocumentSnapshot before = snapshot(document);
    prompts.saveFileAnswers = {std::nullopt};
    Saveas1Click(document, prompts);
    EXPECT_EQ(snapshot(document), before);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// Copy to writes BMP data under any name, replaces a file without asking and changes no state.
TEST_F(SaveTest, CopyToWritesAnyNameAndLeavesTheDocument) {
    draw();
    const DocumentSnapshot before = snapshot(document);
    writeBytes(path("copy.jpg"), QByteArray(500000, 'j'));
    for (const QString name : {"copy.bmp", "copy.jpg", "copy"}) {
        SCOPED_TRACE(name.toStdString());
        prompts.log.clear();
        prompts.saveFileAnswers = {path(name)};
        Koprovado1Click(document, prompts);
        EXPECT_EQ(prompts.log, QStringList({"save dialog", "busy", "idle"}));
        const QByteArray written = fileBytes(path(name));
        EXPECT_TRUE(written.startsWith("BM"));
        EXPECT_EQ(written, fileBytes(path("copy.bmp")));
        EXPECT_EQ(snapshot(document), before);
    }
}

TEST_F(SaveTest, FailedCopyToChangesNothing) {
    nameDocument("own.bmp");
    const DocumentSnapshot before = snapshot(document);
    prompts.saveFileAnswers = {path("gone/copy.bmp")};
    EXPECT_THROW(Koprovado1Click(document, prompts), KreslixError);
    EXPECT_EQ(snapshot(document), before);
}

// A picture drawn in the program, written and read back, has the same size and pixels.
TEST_F(SaveTest, DrawnPictureComesBackUnchanged) {
    Canvas& canvas = document.canvas();
    const Colour colours[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00808080, 0x00010203};
    for (int i = 0; i < 5; ++i) {
        canvas.pen().setColour(colours[i]);
        canvas.pen().setWidth(i * 3);
        canvas.brush().setColour(colours[4 - i]);
        canvas.Ellipse(i * 40, i * 20, i * 40 + 150, i * 20 + 90);
        canvas.MoveTo(0, 296 - i);
        canvas.LineTo(487, i * 50);
    }
    canvas.SetPixels(487, 296, 0x00ABCDEF);
    canvas.SetPixels(0, 0, 0x00FEDCBA);
    const QImage drawn = document.picture().image;

    prompts.saveFileAnswers = {path("round.bmp")};
    Saveas1Click(document, prompts);
    document.replacePicture(Picture{});
    prompts.openFileAnswers = {path("round.bmp")};
    Open1Click(document, prompts);
    EXPECT_EQ(document.picture().image.size(), QSize(488, 297));
    EXPECT_EQ(pictureDifference(document.picture().image, drawn), "");
}

}  // namespace
}  // namespace kreslix::testing
