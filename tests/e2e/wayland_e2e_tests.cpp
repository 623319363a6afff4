// The real program on a headless Wayland desktop (sway), natively and as an X11 client of
// XWayland, driven by keys and the pointer through wayvnc. Other programs there: wl-copy and
// wl-paste on the clipboard, grim for the screen, the desktop portal for the desktop image.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/rfb_input.h"
#include "tests/e2e/wayland_desktop.h"

namespace kreslix::e2e {
namespace {

const QRect kStartPicture(0, 0, 488, 297);
const QString kPng = QStringLiteral("image/png");
const QString kText = QStringLiteral("text/plain;charset=utf-8");
const QString kErrorBox = QStringLiteral("Kreslix - 32bit");

// Equal images, or where they first differ.
::testing::AssertionResult sameImage(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << actual.pixel(x, y)
                       << ", expected " << expected.pixel(x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

QImage clipboardImage() {
    return QImage::fromData(clipboardData(kPng), "PNG").convertToFormat(QImage::Format_RGB32);
}

// A picture of noise, which no image type makes much smaller.
QImage noise(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 v = (quint32(x) * 2654435761u ^ quint32(y) * 40503u) * 0x5BD1E995u;
            line[x] = 0xFF000000u | (v ^ (v >> 15));
        }
    }
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
    return bytes;
}

// wl-copy offering a picture, then stopped where it is, as a program that hangs: it keeps the
// clipboard and never writes to a paste's pipe.
class HungOwner {
public:
    explicit HungOwner(const QByteArray& bytes) {
        QFile offered(folder_.filePath(QStringLiteral("offered.png")));
        EXPECT_TRUE(offered.open(QIODevice::WriteOnly) && offered.write(bytes) == bytes.size());
        offered.close();
        wlCopy_.setStandardInputFile(offered.fileName());
        wlCopy_.start(QStringLiteral("wl-copy"),
                      {QStringLiteral("--foreground"), QStringLiteral("-t"), kPng});
        EXPECT_TRUE(wlCopy_.waitForStarted(10000));
        EXPECT_TRUE(clipboardOffers(kPng)) << "wl-copy does not offer the picture";
        EXPECT_EQ(::kill(pid_t(wlCopy_.processId()), SIGSTOP), 0);
    }
    ~HungOwner() {
        wlCopy_.kill();
        wlCopy_.waitForFinished(5000);
    }
    HungOwner(const HungOwner&) = delete;
    HungOwner& operator=(const HungOwner&) = delete;

private:
    QTemporaryDir folder_;
    QProcess wlCopy_;
};

void setPortalRunning(bool running) {
    runDesktopTool(QStringLiteral(KRESLIX_SOURCE_DIR "/scripts/wayland-session"),
                   {QStringLiteral("portal"), QLatin1String(running ? "start" : "stop")});
}

// The parameter is the Qt platform the program runs on: wayland (native) or xcb (XWayland).
class WaylandProgram : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (const QString missing = waylandDesktopMissing(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_TRUE(input.connect(qEnvironmentVariable("KRESLIX_WAYVNC_SOCKET")))
            << "no RFB session with wayvnc";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(GetParam()));
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
        startAsDesktopUser(program, programPath(), environment);
        main = findDesktopWindow(kMainTitle, 20000);
        ASSERT_TRUE(main.ok) << "no window titled " << kMainTitle.toStdString();
        // The pointer rests on the empty area below the picture, where it changes nothing and
        // soon hides.
        input.pointer(main.rect.right() - 20, main.rect.bottom() - 120);
        const QImage screen = settledScreen();
        ASSERT_FALSE(screen.isNull()) << "the screen does not settle";
        const std::optional<QPoint> at = startPictureAt(screen);
        ASSERT_TRUE(at) << "the start picture is not shown";
        pictureCorner = *at + QPoint(10, 10);
    }

    void TearDown() override {
        if (portalStopped)
            setPortalRunning(true);
        program.kill();
        program.waitForFinished(10000);
    }

    // "Prilepiť obraz pracovnej plochy Windows": the last item of the second menu.
    void pasteDesktopImage() {
        input.press({RfbInput::Alt, 's'});
        for (const std::uint32_t key : {RfbInput::Right, RfbInput::Up, RfbInput::Return})
            input.press({key});
    }

    // Input is refused while a paste reads the clipboard, as during any modal step: this waits
    // until the screen has changed from `before` and no progress window shows.
    void waitForPaste(const QImage& before) {
        EXPECT_TRUE(waitUntil([&] {
            return !findDesktopWindow(QStringLiteral("Prilepiť")).ok &&
                   !sameImage(settledScreen(), before);
        })) << "the paste did not land";
    }

    // The picture as Copy in the picture's popup menu gives it to another program.
    QImage copiedPicture() {
        offerOnClipboard(kText, "55");
        input.pointer(pictureCorner.x(), pictureCorner.y());
        input.pointer(pictureCorner.x(), pictureCorner.y(), RfbInput::RightButton);
        input.pointer(pictureCorner.x(), pictureCorner.y());
        for (const std::uint32_t key : {RfbInput::Down, RfbInput::Down, RfbInput::Return})
            input.press({key});  // past "Vystrihnúť" to "Kopírovať"
        EXPECT_TRUE(clipboardOffers(kPng)) << "Copy put no picture on the clipboard";
        return clipboardImage();
    }

    RfbInput input;
    QProcess program;
    DesktopWindow main;
    QPoint pictureCorner;
    bool portalStopped = false;
};

// Also: the desktop finds the window's entry and icon by its app id, or by StartupWMClass.
TEST_P(WaylandProgram, ExchangesPicturesWithNativeProgramsOverTheClipboard) {
    QImage large(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x)
            large.setPixel(x, y, qRgb((x * 5) % 256, (y * 3) % 256, (x ^ y) % 256));
    }
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && large.save(&buffer, "PNG"));
    offerOnClipboard(kPng, png);
    const QImage before = settledScreen();
    input.press({RfbInput::Control, 'v'});
    waitForPaste(before);
    EXPECT_TRUE(sameImage(copiedPicture(), large.copy(kStartPicture)));
    const bool xcb = QLatin1String(GetParam()) == QLatin1String("xcb");
    EXPECT_EQ(main.appId, xcb ? QStringLiteral("kreslix") : QStringLiteral(KRESLIX_APP_ID));
}

// An owner that hangs keeps a paste waiting no longer than its time limit, with the progress
// window shown meanwhile (the window's thread is free); then the paste says there is no picture
// and changes nothing. Escape stops such a paste, which then says nothing. A large picture from
// wl-copy then lands whole.
TEST_P(WaylandProgram, HungOwnerNeitherFreezesThePasteNorChangesThePicture) {
    const QImage before = settledScreen();
    ASSERT_FALSE(before.isNull());
    {
        HungOwner owner(png(noise({40, 30})));
        input.press({RfbInput::Control, 'v'});
        EXPECT_TRUE(findDesktopWindow(QStringLiteral("Prilepiť"), 3000).ok) << "no progress window";
        ASSERT_TRUE(findDesktopWindow(kErrorBox, 8000).ok) << "the paste did not end in time";
        input.press({RfbInput::Return});
        ASSERT_TRUE(waitUntil([] { return !findDesktopWindow(kErrorBox).ok; }));

        input.press({RfbInput::Control, 'v'});
        ASSERT_TRUE(findDesktopWindow(QStringLiteral("Prilepiť"), 3000).ok) << "no progress window";
        input.press({RfbInput::Escape});
        EXPECT_TRUE(
            waitUntil([] { return !findDesktopWindow(QStringLiteral("Prilepiť")).ok; }, 1000));
        EXPECT_FALSE(findDesktopWindow(kErrorBox, 6000).ok) << "the stopped paste went on";
        EXPECT_TRUE(sameImage(settledScreen(), before));
    }
    const QImage photo = noise({3000, 2000});
    offerOnClipboard(kPng, png(photo));
    input.press({RfbInput::Control, 'v'});
    waitForPaste(before);
    EXPECT_TRUE(sameImage(copiedPicture(), photo.copy(kStartPicture)));
}

// The desktop image is the screen as it was before the menu opened: whole on the clipboard,
// its top-left part on the picture.
TEST_P(WaylandProgram, DesktopImageIsTheScreenAsGrimSeesIt) {
    const QImage screen = settledScreen();
    ASSERT_FALSE(screen.isNull());
    offerOnClipboard(kText, "55");
    pasteDesktopImage();
    ASSERT_TRUE(clipboardOffers(kPng)) << "no desktop image on the clipboard";
    EXPECT_TRUE(sameImage(clipboardImage(), screen));
    EXPECT_TRUE(sameImage(copiedPicture(), screen.copy(kStartPicture)));
}

// With no portal the command says so and leaves the picture, the Save button, the clipboard
// and the modified flag (New asks nothing) as they were.
TEST_P(WaylandProgram, WithoutThePortalTheDesktopImageChangesNothing) {
    setPortalRunning(false);
    portalStopped = true;
    offerOnClipboard(kText, "kept");
    const QImage before = settledScreen();
    ASSERT_FALSE(before.isNull());

    pasteDesktopImage();
    ASSERT_TRUE(findDesktopWindow(kErrorBox, 20000).ok) << "no error box";
    input.press({RfbInput::Return});
    ASSERT_TRUE(waitUntil([] { return !findDesktopWindow(kErrorBox).ok; }));

    EXPECT_TRUE(sameImage(settledScreen(), before));
    EXPECT_EQ(clipboardData(kText).toStdString(), "kept");
    input.press({RfbInput::Control, 'n'});
    EXPECT_TRUE(findDesktopWindow(QStringLiteral("Nový obrázok"), 10000).ok)
        << "New asked to save: the picture is marked modified";
}

INSTANTIATE_TEST_SUITE_P(Platforms, WaylandProgram, ::testing::Values("wayland", "xcb"),
                         [](const auto& info) { return std::string(info.param); });

// The settings sway hands back sit in a folder its user writes; root, entering the desktop,
// takes only the known names from there, and runs nothing named in it.
TEST(WaylandSettings, RootRunsNothingTheDesktopUserWrote) {
    if (const QString missing = waylandDesktopMissing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    QFile settings(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/sway.env"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray original = settings.readAll();
    settings.close();
    QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("planted"));
    QFile planted(script);
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.write("#!/bin/sh\ntouch \"$0.ran\"\n");
    planted.close();
    planted.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Append));
    settings.write(script.toUtf8() + "\nLD_PRELOAD=/nonexistent.so\nDISPLAY=:1 " + script.toUtf8() +
                   "\n");
    settings.close();

    const QByteArray seen =
        runDesktopTool(QStringLiteral(KRESLIX_SOURCE_DIR "/scripts/wayland-session"),
                       {QStringLiteral("exec"), QStringLiteral("/usr/bin/env")});
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write(original);
    settings.close();
    EXPECT_FALSE(QFileInfo::exists(script + QStringLiteral(".ran"))) << "the planted line ran";
    EXPECT_TRUE(seen.contains("\nWAYLAND_DISPLAY=wayland-")) << seen.toStdString();
    EXPECT_FALSE(seen.contains("LD_PRELOAD")) << seen.toStdString();
    EXPECT_FALSE(seen.contains(script.toUtf8())) << seen.toStdString();
}

}  // namespace
}  // namespace kreslix::e2e
