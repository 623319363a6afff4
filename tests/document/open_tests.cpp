#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "common/error.h"
#include "document/file_commands.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

using OpenTest = DocumentTest;

// Opens `path` on the document, scripting the open dialog.
void open(DocumentState& document, ScriptedPrompts& prompts, const QString& path) {
    prompts.openFileAnswers.push_back(path);
    Open1Click(document, prompts);
}

struct Readable {
    const char* source;
    const char* nameInFolder;
    const char* ref;
    QSize size;
};

class OpenReadable : public DocumentTest, public ::testing::WithParamInterface<Readable> {};

// BMP and JPEG files are read by the end of their name, in any letter case, and fill the picture
// exactly; the file becomes the document's, the caption shows its name and the Save button is
// disabled.
TEST_P(OpenReadable, ReplacesThePictureAndNamesTheDocument) {
    const Readable& c = GetParam();
    const QString file = path(c.nameInFolder);
    ASSERT_TRUE(QFile::copy(testdata(c.source), file));
    open(document, prompts, file);

    EXPECT_EQ(document.picture().image.size(), c.size);
    EXPECT_EQ(pictureDifference(document.picture().image, QImage(testdata(c.ref))), "");
    EXPECT_EQ(document.fileName(), file);
    EXPECT_EQ(document.caption(), captionFor(c.nameInFolder));
    EXPECT_FALSE(document.saveButtonEnabled());
    EXPECT_EQ(document.modified(), 0);
    EXPECT_EQ(prompts.log, (QStringList{"open dialog", "busy", "idle"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenReadable,
    ::testing::Values(
        Readable{"bmpsuite/g/rgb24.bmp", "rgb24.bmp", "bmpsuite/ref/rgb24.png", {127, 64}},
        Readable{"bmpsuite/g/pal8.bmp", "Pal8.BMP", "bmpsuite/ref/pal8.png", {127, 64}},
        Readable{"jpeg/baseline--testorig.jpg",
                 "obrazok.jpg",
                 "jpeg/ref/baseline--testorig.ppm",
                 {227, 149}},
        Readable{"jpeg/baseline--testorig.jpg",
                 "obrazok.jpeg",
                 "jpeg/ref/baseline--testorig.ppm",
                 {227, 149}},
        Readable{
            "jpeg/baseline--hopper.jpg", "HOPPER.JPG", "jpeg/ref/baseline--hopper.ppm", {128, 128}},
        Readable{"jpeg/baseline--hopper.jpg",
                 "hopper.JpEg",
                 "jpeg/ref/baseline--hopper.ppm",
                 {128, 128}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// Open keeps the flag: after "&Nie" the opened picture still counts as changed.
TEST_F(OpenTest, KeepsTheModifiedFlag) {
    draw();
    prompts.saveChangesAnswers = {ModalResult::No};
    open(document, prompts, testdata("bmpsuite/g/rgb24.bmp"));
    EXPECT_EQ(document.modified(), 1);
    EXPECT_FALSE(document.saveButtonEnabled());
    EXPECT_EQ(prompts.log, (QStringList{"beep", "save changes?", "open dialog", "busy", "idle"}));
}

// A read the user stops changes nothing, for either reader, whenever the stop comes; the same
// file read to its end replaces the picture.
TEST_F(OpenTest, StoppedReadChangesNothing) {
    draw();
    nameDocument(QStringLiteral("kept.bmp"));
    draw();
    const DocumentSnapshot before = snapshot(document);
    for (const char* source : {"bmpsuite/g/pal8rle.bmp", "jpeg/progressive--testimgp.jpg"}) {
        for (int stopAfter : {0, 1}) {
            prompts.saveChangesAnswers = {ModalResult::No};
            prompts.workReports.clear();
            prompts.stopAfterReports = stopAfter;
            open(document, prompts, testdata(source));
            EXPECT_EQ(snapshot(document), before) << source << " stopped after " << stopAfter;
            EXPECT_EQ(prompts.log.last(), "idle");
            EXPECT_EQ(prompts.log.count("long work stopped"), 1);
            prompts.log.clear();
        }
    }
    prompts.saveChangesAnswers = {ModalResult::No};
    prompts.stopAfterReports = -1;
    open(document, prompts, testdata("jpeg/progressive--testimgp.jpg"));
    EXPECT_NE(snapshot(document), before);
    EXPECT_EQ(prompts.workTitles.last(), "Čítanie súboru");
}

TEST_F(OpenTest, CancelledDialogChangesNothing) {
    draw();
    const DocumentSnapshot before = snapshot(document);
    prompts.saveChangesAnswers = {ModalResult::No};
    prompts.openFileAnswers = {std::nullopt};
    Open1Click(document, prompts);
    EXPECT_EQ(snapshot(document), before);
}

struct Unreadable {
    const char* name;
    const char* source;  // copied into the folder under `name`; none: the file does not exist
    QString expected;    // the message, or its start when `prefixOnly`
    bool prefixOnly = false;
};

class OpenUnreadable : public DocumentTest, public ::testing::WithParamInterface<Unreadable> {};

// A file that is not read completely changes nothing at all, and the busy cursor goes off again.
TEST_P(OpenUnreadable, FailsWithTheMessageAndChangesNothing) {
    const Unreadable& c = GetParam();
    const QString file = path(c.name);
    if (c.source) {
        ASSERT_TRUE(QFile::copy(testdata(c.source), file));
    }
    draw();
    document.setFileName(path("earlier.bmp"));
    const PenAndBrush pen{bsSolid, psSolid, 5, 0x00123456, 0x00654321};
    pen.applyTo(document.canvas());
    const DocumentSnapshot before = snapshot(document);

    prompts.saveChangesAnswers = {ModalResult::No};
    QString message;
    try {
        open(document, prompts, file);
    } catch (const KreslixError& e) {
        message = e.message();
    }
    const QString expected = QString(c.expected).replace(QLatin1String("%PATH%"), file);
    if (c.prefixOnly) {
        EXPECT_TRUE(message.startsWith(expected)) << message.toStdString();
    } else {
        EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(snapshot(document), before);
    EXPECT_EQ(PenAndBrush::of(document.canvas()), pen);
    EXPECT_FALSE(prompts.busy);
    const QStringList log = prompts.log.filter(QRegularExpression("busy|idle"));
    EXPECT_TRUE(log.isEmpty() || log == (QStringList{"busy", "idle"}))
        << log.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenUnreadable,
    ::testing::Values(
        Unreadable{"missing.bmp", nullptr, "Cannot open file %PATH%"},
        Unreadable{"missing.jpg", nullptr, "Cannot open file %PATH%"},
        Unreadable{"jpeg.bmp", "jpeg/baseline--hopper.jpg", "Bitmap image is not valid"},
        Unreadable{"bitmap.jpg", "bmpsuite/g/rgb24.bmp", "JPEG error #", true},
        Unreadable{"short.bmp", "bmpsuite/b/shortfile.bmp", "Stream read error"},
        Unreadable{"obrazokbmp", "bmpsuite/g/rgb24.bmp", "Unknown picture file extension (.)"},
        Unreadable{"obrazok.png", "bmpsuite/g/rgb24.bmp", "Unknown picture file extension (.png)"},
        Unreadable{"obrazok.bmp.gif", "bmpsuite/g/rgb24.bmp",
                   "Unknown picture file extension (.gif)"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// The busy cursor is on exactly around the read, also when the read fails.
TEST_F(OpenTest, BusyCursorIsOnAroundAFailedRead) {
    writeBytes(path("broken.bmp"), "BM and nothing more");
    EXPECT_THROW(open(document, prompts, path("broken.bmp")), KreslixError);
    EXPECT_EQ(prompts.log, (QStringList{"open dialog", "busy", "idle"}));
    EXPECT_FALSE(prompts.busy);
}

}  // namespace
}  // namespace kreslix::testing
