// The real program on a headless Wayland desktop (sway), natively and as an X11 client of
// XWayland, driven by keys and the pointer through wayvnc. Other programs there: wl-copy and
// wl-paste on the clipboard, grim for the screen, the desktop portal for the desktop image.
#include <gtest/gtest.h>

#include <QBuffer>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/rfb_input.h"
#include "tests/e2e/wayland_desktop.h"

namespace kreslix::e2e {
namespace {

const QSize kStartSize(488, 297);
const QString kPng = QStringLiteral("image/png");
const QString kText = QStringLiteral("text/plain;charset=utf-8");

QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 5) % 256, (y * 3) % 256, (x ^ y) % 256));
    }
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

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

// The parameter is the Qt platform the program runs on: wayland (native) or xcb (XWayland).
class WaylandProgram : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (const QString missing = waylandDesktopMissing(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_TRUE(input.connect(qEnvironmentVariable("KRESLIX_WAYVNC_SOCKET")))
            << input.error.toStdString();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(GetParam()));
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
        startAsDesktopUser(program, programPath(), {}, environment);
        main = findDesktopWindow(kMainTitle, 20000);
        ASSERT_TRUE(main.ok) << "no window titled " << kMainTitle.toStdString();
        // The pointer rests on the empty area below the picture, where it changes nothing and
        // soon hides.
        input.pointer(main.rect.right() - 20, main.rect.bottom() - 120);
        const QImage screen = settledScreen();
        ASSERT_FALSE(screen.isNull()) << "the screen does not settle";
        const std::optional<QPoint> at = startPictureAt(screen);
        ASSERT_TRUE(at) << "the start picture is not shown";
        pictureOrigin = *at;
    }

    void TearDown() override {
        if (portalStopped)
            setPortalRunning(true);
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

    // "Prilepiť obraz pracovnej plochy Windows": the last item of the second menu.
    void pasteDesktopImage() {
        input.press({RfbInput::Alt, 's'});
        input.press({RfbInput::Right});
        input.press({RfbInput::Up});
        input.press({RfbInput::Return});
    }

    // The picture as Copy in the picture's popup menu gives it to another program.
    QImage copiedPicture() {
        offerOnClipboard(kText, "55");
        input.pointer(pictureOrigin.x() + 10, pictureOrigin.y() + 10);
        input.pointer(pictureOrigin.x() + 10, pictureOrigin.y() + 10, RfbInput::RightButton);
        input.pointer(pictureOrigin.x() + 10, pictureOrigin.y() + 10);
        input.press({RfbInput::Down});  // "Vystrihnúť"
        input.press({RfbInput::Down});  // "Kopírovať"
        input.press({RfbInput::Return});
        EXPECT_TRUE(waitForClipboardType(kPng)) << "Copy put no picture on the clipboard";
        return clipboardImage();
    }

    RfbInput input;
    QProcess program;
    DesktopWindow main;
    QPoint pictureOrigin;
    bool portalStopped = false;
};

TEST_P(WaylandProgram, ExchangesPicturesWithNativeProgramsOverTheClipboard) {
    const QImage large = pattern({600, 400});
    offerOnClipboard(kPng, png(large));
    input.press({RfbInput::Control, 'v'});
    EXPECT_TRUE(sameImage(copiedPicture(), large.copy(QRect(QPoint(0, 0), kStartSize))));
    // The desktop finds the window's entry and icon by its app id, or by StartupWMClass.
    const bool xcb = QLatin1String(GetParam()) == QLatin1String("xcb");
    EXPECT_EQ(main.appId, xcb ? QStringLiteral("kreslix") : QStringLiteral(KRESLIX_APP_ID));
}

// The desktop image is the screen as it was before the menu opened: whole on the clipboard, its
// top-left part on the picture.
TEST_P(WaylandProgram, DesktopImageIsTheScreenAsGrimSeesIt) {
    const QImage screen = settledScreen();
    ASSERT_FALSE(screen.isNull());
    offerOnClipboard(kText, "55");
    pasteDesktopImage();
    ASSERT_TRUE(waitForClipboardType(kPng)) << "no desktop image on the clipboard";
    EXPECT_TRUE(sameImage(clipboardImage(), screen));
    EXPECT_TRUE(sameImage(copiedPicture(), screen.copy(QRect(QPoint(0, 0), kStartSize))));
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
    ASSERT_TRUE(findDesktopWindow(QStringLiteral("Kreslix - 32bit"), 20000).ok) << "no error box";
    input.press({RfbInput::Return});
    ASSERT_TRUE(desktopWindowGone(QStringLiteral("Kreslix - 32bit")));

    EXPECT_TRUE(sameImage(settledScreen(), before));
    EXPECT_EQ(clipboardData(kText).toStdString(), "kept");
    input.press({RfbInput::Control, 'n'});
    EXPECT_TRUE(findDesktopWindow(QStringLiteral("Nový obrázok"), 10000).ok)
        << "New asked to save: the picture is marked modified";
}

INSTANTIATE_TEST_SUITE_P(Platforms, WaylandProgram, ::testing::Values("wayland", "xcb"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace kreslix::e2e
