// The real program on a headless Wayland desktop (sway), natively and as an X11 client of
// XWayland, driven by keys and the pointer through wayvnc. Other programs there: wl-copy and
// wl-paste on the clipboard, grim for the screen, the desktop portal for the desktop image.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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
    input.press({RfbInput::Control, 'v'});
    EXPECT_TRUE(sameImage(copiedPicture(), large.copy(kStartPicture)));
    const bool xcb = QLatin1String(GetParam()) == QLatin1String("xcb");
    EXPECT_EQ(main.appId, xcb ? QStringLiteral("kreslix") : QStringLiteral(KRESLIX_APP_ID));
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
