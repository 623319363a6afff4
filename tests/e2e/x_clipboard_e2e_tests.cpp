// The paste command of this process reading what xclip, another program, offers on the X
// clipboard: images of any readable type are pasted, anything else is told apart exactly.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <cmath>

#include "common/error.h"
#include "document/document_state.h"
#include "document/files/picture_size.h"
#include "picture_ops/clipboard_commands.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"
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

// Larger than Qt's own limit for a decoded image (128 MiB): white, with a pattern in the corner
// that the paste shows and one pixel far out that it cuts off.
QImage largePicture() {
    QImage image(8000, 6000, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 500; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 251));
    }
    image.setPixel(7999, 5999, qRgb(1, 2, 3));
    return image;
}

// As large, and as hard to compress as a photo: every pixel a hash of its place.
QImage largePhoto() {
    QImage image(8000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            quint32 v = quint32(x) * 2654435761u ^ quint32(y) * 40503u;
            v ^= v >> 13;
            v *= 0x5BD1E995u;
            line[x] = 0xFF000000u | (v ^ (v >> 15));
        }
    }
    return image;
}

std::string pastedFailure(DocumentState& document, testing::ScriptedPrompts& prompts) {
    try {
        Paste1Click(document, prompts);
    } catch (const KreslixError& e) {
        return e.message().toStdString();
    }
    return "the paste did not fail";
}

TEST_F(XClipboardPaste, PngLargerThanQtsOwnLimitIsPasted) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QImage large = largePicture();
    ASSERT_TRUE(large.save(&buffer, "PNG"));
    offer("image/png", png);
    Paste1Click(document, prompts);
    EXPECT_EQ(document.image(), large.copy(0, 0, 488, 297));
    EXPECT_EQ(document.modified(), 1);
}

// The picture-memory rule still holds: a PNG whose header asks for more is refused by its size,
// before any pixel memory is asked for.
TEST_F(XClipboardPaste, ImageBeyondThePictureMemoryRuleIsRefusedWithItsSize) {
    const qint64 side = qint64(std::ceil(std::sqrt(double(pictureMemoryLimit()) / 4))) + 1;
    // Signature, a header chunk for side × side pixels of 8-bit RGB, a data chunk (the reader
    // reads up to it for the size), the end chunk.
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a");
    auto chunk = [&png](const char* type, const QByteArray& data) {
        QByteArray body = QByteArray(type) + data;
        char length[4], crc[4];
        qToBigEndian(quint32(data.size()), length);
        quint32 sum = 0xFFFFFFFF;
        for (char byte : body) {
            sum ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                sum = (sum >> 1) ^ (0xEDB88320 & (0 - (sum & 1)));
        }
        qToBigEndian(~sum, crc);
        png += QByteArray(length, 4) + body + QByteArray(crc, 4);
    };
    char header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};
    qToBigEndian(quint32(side), header);
    qToBigEndian(quint32(side), header + 4);
    chunk("IHDR", QByteArray(header, 13));
    chunk("IDAT", QByteArray::fromHex("789c030000000001"));  // an empty zlib stream
    chunk("IEND", {});
    offer("image/png", png);
    EXPECT_EQ(pastedFailure(document, prompts),
              QStringLiteral("Obrázok %1 × %1 bodov sa nedá vytvoriť: potreboval by viac pamäte, "
                             "ako môže mať jeden obrázok (%2 MB)")
                  .arg(side)
                  .arg(pictureMemoryLimit() >> 20)
                  .toStdString());
    expectUnchanged();
}

// Another window of the program holds a large photo and offers it; pasted here, it arrives in
// time and whole. (Encoded as PNG, such a photo keeps its owner busy for most of a minute, far
// longer than the X clipboard waits for an answer.)
class ProgramToPaste : public ProgramTest {};

TEST_F(ProgramToPaste, LargePictureCopiedInTheProgramIsPasted) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs the X display in $DISPLAY";
    QTemporaryDir folder;
    const QImage photo = largePhoto();
    ASSERT_TRUE(photo.save(folder.filePath("large.bmp"), "BMP"));
    start({"large.bmp"}, folder.path());
    const Found window = findWindow(QStringLiteral("Kreslix (32bit) - large.bmp"), 30000);
    ASSERT_TRUE(window.ok);
    // Text first, so that the program's offer is seen to arrive.
    QFile text(folder.filePath("text.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("55");
    text.close();
    Xclip xclip;
    xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
    runTool({"key", window.id, "c", "ctrl"});
    const QDeadlineTimer offered(30000);
    while (!xclip.targets().contains("image/bmp") && !offered.hasExpired())
        QThread::msleep(50);
    DocumentState document;
    testing::ScriptedPrompts prompts;
    Paste1Click(document, prompts);
    EXPECT_EQ(document.image(), photo.copy(0, 0, 488, 297));
    EXPECT_TRUE(prompts.log.isEmpty()) << prompts.log.join(u' ').toStdString();
}

}  // namespace
}  // namespace kreslix::e2e
