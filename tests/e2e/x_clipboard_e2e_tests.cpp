// The paste command of this process reading what xclip, another program, offers on the X
// clipboard: images of any readable type are pasted, anything else is told apart exactly.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "common/error.h"
#include "document/document_state.h"
#include "picture_ops/clipboard_commands.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"
#include "tests/support/claimed_png.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::e2e {
namespace {

class XClipboardPaste : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the X display in $DISPLAY";
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        document.setModified(false);
        document.setSaveButtonEnabled(false);
        original = document.image().copy();
    }

    void offer(const char* type, const QByteArray& bytes) {
        QFile file(folder.filePath(QStringLiteral("offer")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        xclip.offer(QLatin1String(type), file.fileName());
    }
    void expectUnchanged() {
        EXPECT_EQ(document.image(), original);
        EXPECT_EQ(document.modified(), 0);
        EXPECT_FALSE(document.saveButtonEnabled());
    }

    QTemporaryDir folder;
    Xclip xclip;
    DocumentState document;
    testing::ScriptedPrompts prompts;
    QImage original;
};

TEST_F(XClipboardPaste, TextOnlyGivesTheMessage) {
    offer("UTF8_STRING", "55");
    Paste1Click(document, prompts);
    EXPECT_EQ(prompts.log,
              QStringList({"message:V schránke sa nenachádza objekt grafického typu."}));
    expectUnchanged();
}

TEST_F(XClipboardPaste, BytesThatAreNoPngGiveUnsupportedClipboardFormat) {
    offer("image/png", "GIF89a, but not really");
    try {
        Paste1Click(document, prompts);
        ADD_FAILURE() << "the paste did not fail";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unsupported clipboard format"));
    }
    EXPECT_TRUE(prompts.log.isEmpty());
    expectUnchanged();
}

TEST_F(XClipboardPaste, BmpOfferedAloneIsPasted) {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x)
            image.setPixel(x, y, qRgb(x * 30, y * 50, 90));
    }
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "BMP"));
    offer("image/bmp", bmp);
    Paste1Click(document, prompts);
    EXPECT_EQ(document.image().copy(0, 0, 7, 5), image);
    EXPECT_EQ(document.image().pixel(7, 0), original.pixel(7, 0));
    EXPECT_EQ(document.modified(), 1);
}

// A PNG whose header claims far more pixels than a picture may have (its data is one pixel's) is
// refused by that size, read from the header, not decoded into an image that fails.
TEST_F(XClipboardPaste, ImageLargerThanAPictureMayBeIsRefusedByItsHeader) {
    const QByteArray png = testing::pngClaimingSize(200000, 100000);
    offer("image/png", png);
    try {
        Paste1Click(document, prompts);
        ADD_FAILURE() << "the paste did not fail";
    } catch (const KreslixError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Obrázok 200000 × 100000 bodov")))
            << e.message().toStdString();
    }
    expectUnchanged();
}

// Another window of the program holds a photo larger than Qt's own limit for a decoded image
// (128 MiB) and offers it; pasted here, it arrives in time and whole. As PNG, such a photo keeps
// its owner busy for most of a minute, far longer than the X clipboard waits for an answer.
class ProgramToPaste : public ProgramTest {};

TEST_F(ProgramToPaste, LargePhotoCopiedInTheProgramIsPasted) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs the X display in $DISPLAY";
    QImage photo(8000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const quint32 v = (quint32(x) * 2654435761u ^ quint32(y) * 40503u) * 0x5BD1E995u;
            line[x] = 0xFF000000u | (v ^ (v >> 15));
        }
    }
    QTemporaryDir folder;
    ASSERT_TRUE(photo.save(folder.filePath("large.bmp"), "BMP"));
    QFile text(folder.filePath("text.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("55") == 2);
    text.close();
    start({"large.bmp"}, folder.path());
    const Found window = findWindow(QStringLiteral("Kreslix (32bit) - large.bmp"), 30000);
    ASSERT_TRUE(window.ok);
    // Text first, so that the program's offer is seen to arrive.
    Xclip xclip;
    xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
    runTool({"key", window.id, "c", "ctrl"});
    for (const QDeadlineTimer deadline(30000);
         !xclip.targets().contains("image/bmp") && !deadline.hasExpired();) {
        QThread::msleep(50);
    }
    DocumentState document;
    testing::ScriptedPrompts prompts;
    Paste1Click(document, prompts);
    EXPECT_EQ(document.image(), photo.copy(0, 0, 488, 297));
}

}  // namespace
}  // namespace kreslix::e2e
