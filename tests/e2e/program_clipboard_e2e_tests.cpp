// The real program on the Xvfb display, driven by keys, exchanging pictures over the X
// clipboard with xclip. The picture is read back by Copy (Ctrl+C) and xclip.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"

namespace kreslix::e2e {
namespace {

const QSize kStartSize(488, 297);

QImage white(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 5) % 256, (y * 3) % 256, (x ^ y) % 256));
    }
    return image;
}

// `base` with `top` drawn over it at (0, 0), clipped.
QImage pasted(const QImage& base, const QImage& top) {
    QImage result = base.copy();
    for (int y = 0; y < std::min(base.height(), top.height()); ++y) {
        for (int x = 0; x < std::min(base.width(), top.width()); ++x)
            result.setPixel(x, y, top.pixel(x, y));
    }
    return result;
}

class ProgramClipboard : public ProgramTest {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        ASSERT_TRUE(folder.isValid());
        start(startArguments(), folder.path());
        if (IsSkipped())
            return;
        const Found window = findWindow(caption(), 15000);
        ASSERT_TRUE(window.ok) << "no window titled " << caption().toStdString();
        windowId = window.id;
    }
    // The program's command line, and the caption of its window then.
    virtual QStringList startArguments() { return {}; }
    virtual QString caption() const { return kMainTitle; }

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    void key(const char* keysym, const char* modifier = nullptr, const QString& window = {}) {
        QStringList arguments = {"key", window.isEmpty() ? windowId : window, keysym};
        if (modifier)
            arguments << modifier;
        runTool(arguments);
    }
    // Offers the image as image/png from xclip.
    void offerPng(const QImage& image, const char* name) {
        ASSERT_TRUE(image.save(path(name), "PNG"));
        xclip.offer(QStringLiteral("image/png"), path(name));
    }
    // Waits until the clipboard's owner offers the type: image/bmp is offered by the program,
    // never by xclip.
    void waitForOffer(const char* type) {
        const QDeadlineTimer deadline(10000);
        while (!xclip.targets().contains(QLatin1String(type)) && !deadline.hasExpired())
            QThread::msleep(20);
    }
    QImage clipboardImage() {
        return QImage::fromData(xclip.read(QStringLiteral("image/png")))
            .convertToFormat(QImage::Format_RGB32);
    }
    // Ctrl+C once every key before has been handled, then the picture as another program gets
    // it.
    QImage copiedPicture() {
        clear("Escape");
        offerText();
        key("c", "ctrl");
        waitForOffer("image/bmp");
        return clipboardImage();
    }
    // Text on the clipboard, so that the program's next offer is seen to arrive.
    void offerText() {
        QFile text(path("text.txt"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("55");
        text.close();
        xclip.offer(QStringLiteral("UTF8_STRING"), text.fileName());
    }
    // Del, then the prompt answered by `answer` (a key, or closing it through its close box).
    // The prompt shows only once the program has handled every key sent before. While a paste
    // still reads the clipboard, keys are refused as during any modal step: Del is sent again.
    void clear(const char* answer) {
        Found prompt;
        for (int attempt = 0; attempt < 10 && !prompt.ok; ++attempt) {
            key("Delete");
            prompt = findWindow(QStringLiteral("Vymazanie obrázka"), 1000);
        }
        ASSERT_TRUE(prompt.ok) << "the clear prompt did not show";
        if (answer)
            key(answer, nullptr, prompt.id);
        else
            runTool({"close", prompt.id});
        const QDeadlineTimer deadline(10000);
        while (findWindow(QStringLiteral("Vymazanie obrázka"), 0).ok && !deadline.hasExpired())
            QThread::msleep(20);
    }

    // Sends a window manager's "not responding" probe every 100 ms for `ms`; every one must be
    // answered within a second. A window whose thread waits for the clipboard answers none.
    void expectAnswersPings(int ms) {
        int pings = 0;
        for (const QDeadlineTimer deadline(ms); !deadline.hasExpired(); ++pings) {
            bool answered = false;
            runTool({"ping", windowId, "1000"}, &answered);
            EXPECT_TRUE(answered) << "ping " << pings << " was not answered within a second";
            QThread::msleep(100);
        }
    }

    QTemporaryDir folder;
    QString windowId;
    Xclip xclip;
};

TEST_F(ProgramClipboard, CopyOffersThePictureAtFullSizeAsPngAndBmp) {
    const QImage png = copiedPicture();
    const QStringList targets = xclip.targets();
    EXPECT_TRUE(targets.contains("image/png")) << targets.join(u' ').toStdString();
    EXPECT_TRUE(targets.contains("image/bmp")) << targets.join(u' ').toStdString();
    EXPECT_EQ(png, white(kStartSize));
    EXPECT_EQ(QImage::fromData(xclip.read("image/bmp")).convertToFormat(QImage::Format_RGB32),
              white(kStartSize));
}

// Pasted images land at (0, 0), clipped to the picture, whose size stays; Cut then Paste gives
// the picture back; the clear prompt closed by its close box or Escape changes nothing, "Áno"
// clears.
TEST_F(ProgramClipboard, PasteCutAndClearChangeThePictureAsShown) {
    const QImage large = pattern({600, 400});
    offerPng(large, "large.png");
    key("v", "ctrl");
    QImage expected = pasted(white(kStartSize), large);
    EXPECT_EQ(copiedPicture(), expected);

    QImage corner(10, 10, QImage::Format_RGB32);
    corner.fill(qRgb(0, 0, 255));
    offerPng(corner, "corner.png");
    key("v", "ctrl");
    expected = pasted(expected, corner);
    EXPECT_EQ(copiedPicture(), expected);

    offerText();
    key("x", "ctrl");
    waitForOffer("image/bmp");
    EXPECT_EQ(clipboardImage(), expected) << "Cut puts the picture on the clipboard";
    key("v", "ctrl");
    EXPECT_EQ(copiedPicture(), expected) << "Cut then Paste";
    key("x", "ctrl");
    EXPECT_EQ(copiedPicture(), white(kStartSize)) << "Cut whitens the picture";

    offerPng(expected, "expected.png");
    key("v", "ctrl");
    clear(nullptr);
    EXPECT_EQ(copiedPicture(), expected) << "the close box refuses the clear";
    clear("Return");
    EXPECT_EQ(copiedPicture(), white(kStartSize)) << "Enter presses the focused \"Áno\"";
}

// The desktop image, chosen through the keyboard in the menu, is the screen as it was before
// the menu opened: on the clipboard whole, on the picture its top-left part.
TEST_F(ProgramClipboard, DesktopImageIsTheScreenWithoutTheMenu) {
    // The screen once the window has painted itself: the same twice in a row.
    QImage screen, before;
    for (int attempt = 0; attempt < 50 && (screen.isNull() || screen != before); ++attempt) {
        before = screen;
        QThread::msleep(100);
        screen = screenshot();
    }
    ASSERT_FALSE(screen.isNull());
    ASSERT_EQ(screen, before) << "the screen does not settle";
    offerText();
    for (const char* keysym : {"Alt_L", "Right", "Down", "Up", "Return"})
        key(keysym);
    waitForOffer("image/bmp");
    const QImage captured = clipboardImage();
    EXPECT_EQ(captured.size(), screen.size());
    EXPECT_EQ(captured, screen);
    EXPECT_EQ(copiedPicture(), screen.copy(QRect(QPoint(0, 0), kStartSize)));
}

// An owner that hangs (xclip stopped once it took the clipboard) keeps the paste waiting no longer
// than its time limit: the window answers meanwhile, shows the progress window, then says there is
// no picture and changes nothing; Escape stops such a paste, and a stopped paste says nothing.
TEST_F(ProgramClipboard, HungOwnerNeitherFreezesTheWindowNorChangesThePicture) {
    const QString messageBox = QStringLiteral("Kreslix - 32bit");
    offerPng(pattern({40, 30}), "hung.png");
    xclip.hang();
    key("v", "ctrl");
    expectAnswersPings(2500);
    EXPECT_TRUE(findWindow(QStringLiteral("Prilepiť"), 0).ok) << "no progress window";
    const Found message = findWindow(messageBox, 4000);
    ASSERT_TRUE(message.ok) << "the paste did not end in time";
    key("Return", nullptr, message.id);
    ASSERT_TRUE(windowGone(messageBox));

    key("v", "ctrl");
    const Found progress = findWindow(QStringLiteral("Prilepiť"), 3000);
    ASSERT_TRUE(progress.ok) << "no progress window";
    key("Escape", nullptr, progress.id);
    EXPECT_TRUE(windowGone(QStringLiteral("Prilepiť"), 1000));
    EXPECT_FALSE(findWindow(messageBox, 5000).ok) << "the stopped paste went on";
    // Unmodified: New asks nothing.
    key("n", "ctrl");
    const Found newPicture = findWindow(QStringLiteral("Nový obrázok"), 5000);
    ASSERT_TRUE(newPicture.ok) << "New asked first: the picture was marked modified";
    key("Escape", nullptr, newPicture.id);
    ASSERT_TRUE(windowGone(QStringLiteral("Nový obrázok")));
    EXPECT_EQ(copiedPicture(), white(kStartSize));
}

// A photo-sized picture, too large for one transfer, comes from xclip in pieces while the window
// keeps answering, and lands whole.
TEST_F(ProgramClipboard, LargePictureArrivesInPiecesWhileTheWindowAnswers) {
    QImage photo(3000, 2000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const quint32 v = (quint32(x) * 2654435761u ^ quint32(y) * 40503u) * 0x5BD1E995u;
            line[x] = 0xFF000000u | (v ^ (v >> 15));
        }
    }
    offerPng(photo, "photo.png");
    ASSERT_GT(QFileInfo(path("photo.png")).size(), 16 << 20) << "small enough for one transfer";
    key("v", "ctrl");
    expectAnswersPings(500);
    EXPECT_EQ(copiedPicture(), photo.copy(QRect(QPoint(0, 0), kStartSize)));
}

// A picture of many rows, so that its PNG is compressed in strips on several threads, with
// colours that change from pixel to pixel and a flat band that is compressed another way; large
// enough that xclip's first request comes before the PNG is ready and is answered once it is.
class ProgramServesPicture : public ProgramClipboard {
protected:
    QStringList startArguments() override {
        picture = QImage(3000, 2000, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool band = y >= 300 && y < 500;
                const unsigned hash = unsigned(x) * 2654435761u ^ unsigned(y) * 40503u;
                picture.setPixel(
                    x, y,
                    band ? qRgb(255, 255, 255) : qRgb(x & 255, (x + y) & 255, (hash >> 13) & 255));
            }
        }
        EXPECT_TRUE(picture.save(path("served.bmp"), "BMP"));
        return {path("served.bmp")};
    }
    QString caption() const override { return QStringLiteral("Kreslix (32bit) - served.bmp"); }

    // The PNG decoded by ImageMagick, another program's reader.
    QImage readByImageMagick(const QByteArray& png) {
        QProcess convert;
        convert.start(QStringLiteral("convert"), {"png:-", "-depth", "8", "rgb:-"});
        if (!convert.waitForStarted(10000))
            return {};
        convert.write(png);
        convert.closeWriteChannel();
        convert.waitForFinished(60000);
        const QByteArray rgb = convert.readAllStandardOutput();
        if (rgb.size() != qsizetype(picture.width()) * picture.height() * 3)
            return {};
        return QImage(reinterpret_cast<const uchar*>(rgb.constData()), picture.width(),
                      picture.height(), picture.width() * 3, QImage::Format_RGB888)
            .convertToFormat(QImage::Format_RGB32);
    }

    QImage picture;
};

TEST_F(ProgramServesPicture, OffersOnlyPngAndBmpAndServesBothPixelEqual) {
    offerText();
    key("c", "ctrl");
    waitForOffer("image/bmp");
    QStringList targets = xclip.targets();
    targets.sort();
    // Qt's own targets, then exactly the two image types: none of Qt's other image writers.
    EXPECT_EQ(targets, QStringList({"MULTIPLE", "SAVE_TARGETS", "TARGETS", "TIMESTAMP", "image/bmp",
                                    "image/png"}));

    const QByteArray png = xclip.read(QStringLiteral("image/png"));
    EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        ADD_FAILURE() << "ImageMagick's convert is not installed";
    else
        EXPECT_EQ(readByImageMagick(png), picture);
    EXPECT_EQ(xclip.read(QStringLiteral("image/png")), png) << "every request gets the same bytes";
    EXPECT_EQ(QImage::fromData(xclip.read(QStringLiteral("image/bmp")), "BMP")
                  .convertToFormat(QImage::Format_RGB32),
              picture);
    EXPECT_TRUE(xclip.read(QStringLiteral("image/jpeg")).isEmpty())
        << "a type not offered is refused, not encoded";
}

}  // namespace
}  // namespace kreslix::e2e
