#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "common/error.h"
#include "document/document_state.h"
#include "picture_ops/clipboard_commands.h"
#include "picture_ops/clipboard_image.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::testing {
namespace {

// A picture whose every pixel differs from its neighbours and from white.
QImage pattern(int width, int height, QRgb salt) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 200, (y * 11) % 200, int(salt & 0xFF)));
    }
    return image;
}

QImage whiteImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage clipboardImage() {
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
}

// The document with a 40 × 30 patterned picture, the flag clear and the Save button disabled,
// so that every change a command makes shows.
class ClipboardCommands : public ::testing::Test {
protected:
    void SetUp() override {
        QGuiApplication::clipboard()->clear();
        document.replacePicture({pattern(40, 30, 1), nullptr});
        document.setModified(false);
        document.setSaveButtonEnabled(false);
        original = document.image().copy();
    }

    void expectUnchanged() {
        EXPECT_EQ(document.image(), original);
        EXPECT_EQ(document.modified(), 0);
        EXPECT_FALSE(document.saveButtonEnabled());
    }

    DocumentState document;
    ScriptedPrompts prompts;
    QImage original;
};

// Copy shares the pixels with the clipboard; the first change of the picture pays for its own
// copy, so the clipboard keeps the picture as it was.
TEST_F(ClipboardCommands, CopyPublishesThePictureWithoutCopyingItAndEnablesOnlyTheButton) {
    Copy1Click(document);
    EXPECT_EQ(document.modified(), 0);
    EXPECT_TRUE(document.saveButtonEnabled());
    const QImage published = QGuiApplication::clipboard()->image();
    EXPECT_EQ(published.constBits(), document.image().constBits());

    document.canvas().SetPixels(0, 0, 0x000000FF);
    EXPECT_EQ(clipboardImage(), original);
    EXPECT_EQ(document.image().pixel(0, 0), qRgb(255, 0, 0));
}

TEST_F(ClipboardCommands, CutWhitensEveryPixelAndPasteBringsThePictureBack) {
    Cut1Click(document, prompts);
    EXPECT_EQ(prompts.log, QStringList({"busy", "idle"}));
    prompts.log.clear();
    EXPECT_EQ(document.image(), whiteImage({40, 30}));
    EXPECT_EQ(clipboardImage(), original);
    EXPECT_EQ(document.modified(), 1);
    EXPECT_TRUE(document.saveButtonEnabled());
    EXPECT_EQ(document.canvas().copyMode(), cmSrcCopy);

    Paste1Click(document, prompts);
    EXPECT_EQ(document.image(), original);
    EXPECT_TRUE(prompts.log.isEmpty()) << prompts.log.join(u',').toStdString();
}

struct PasteCase {
    QSize pasted;
    QRect changed;  // the part of the picture that takes the pasted pixels
};

class PasteSizes : public ClipboardCommands, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteSizes, DrawsAtTheTopLeftClippedAndKeepsTheRest) {
    const QImage pasted = pattern(GetParam().pasted.width(), GetParam().pasted.height(), 99);
    publishClipboardImage(pasted);
    Paste1Click(document, prompts);

    ASSERT_EQ(document.image().size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = GetParam().changed.contains(x, y);
            ASSERT_EQ(document.image().pixel(x, y), (inside ? pasted : original).pixel(x, y))
                << x << "," << y;
        }
    }
    EXPECT_EQ(document.modified(), 1);
    EXPECT_TRUE(document.saveButtonEnabled());
    EXPECT_EQ(clipboardImage(), pasted);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PasteSizes,
                         ::testing::Values(PasteCase{{10, 10}, {0, 0, 10, 10}},
                                           PasteCase{{64, 48}, {0, 0, 40, 30}},
                                           PasteCase{{64, 5}, {0, 0, 40, 5}}));

TEST_F(ClipboardCommands, DesktopImageGoesToTheClipboardWholeAndOntoThePictureClipped) {
    const QImage screen = pattern(64, 48, 200);
    KoprovapracovnplochuWindows1Click(document, prompts, [&] { return screen; });
    EXPECT_EQ(clipboardImage(), screen);
    EXPECT_EQ(document.image(), screen.copy(0, 0, 40, 30));
    EXPECT_EQ(document.modified(), 1);
    EXPECT_TRUE(document.saveButtonEnabled());
    EXPECT_EQ(prompts.log, QStringList({"busy", "idle"}));
}

TEST_F(ClipboardCommands, NoDesktopImageIsReportedAndTheCursorComesBack) {
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    try {
        KoprovapracovnplochuWindows1Click(document, prompts, [] { return QImage(); });
        ADD_FAILURE() << "the capture did not fail";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot capture the screen"));
    }
    EXPECT_EQ(prompts.log, QStringList({"busy", "idle"}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    expectUnchanged();
}

}  // namespace
}  // namespace kreslix::testing
