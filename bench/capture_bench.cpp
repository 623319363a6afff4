// Paste desktop image beside the least a capture of the screen costs on the same session, the
// deliberate wait for menus to repaint left out:
//   - on an X11 session (an X display such as Xvfb): beside a bare QScreen::grabWindow(0);
//   - on a Wayland session (natively or through XWayland, e.g. inside scripts/wayland-session
//     exec --user): beside a bare request to the desktop portal, its answer awaited, its PNG
//     read and removed.
// The two run in turns, so that they see the same load on the machine; prints the medians and
// their ratio (aim <= 1.2).
#include <QDBusConnection>
#include <QDBusMessage>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "common/error.h"
#include "document/document_state.h"
#include "picture_ops/clipboard_commands.h"
#include "picture_ops/desktop_capture.h"
#include "tests/support/scripted_prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double milliseconds(const std::function<void()>& work) {
    const Clock::time_point begin = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

// The portal's Response signal, caught for any request of this connection.
class Answer : public QObject {
    Q_OBJECT
public:
    QEventLoop loop;
    QString uri;

public Q_SLOTS:
    void onResponse(uint, const QVariantMap& results) {
        uri = results.value(QStringLiteral("uri")).toString();
        loop.quit();
    }
};

// The least a portal capture takes: the request, its answer, the PNG read and removed.
QImage barePortalScreenshot() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    Answer answer;
    bus.connect(QString(), QString(), QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), &answer, SLOT(onResponse(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    // A token of its own: xdg-desktop-portal-wlr 0.7 keeps each request's object, so a path
    // used twice fails.
    static int requests = 0;
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), QStringLiteral("bare%1").arg(++requests)},
                        {QStringLiteral("interactive"), false}};
    bus.send(call);
    answer.loop.exec();
    bus.disconnect(QString(), QString(), QStringLiteral("org.freedesktop.portal.Request"),
                   QStringLiteral("Response"), &answer, SLOT(onResponse(uint, QVariantMap)));
    const QString path = QUrl(answer.uri).toLocalFile();
    QImage image(path);
    QFile::remove(path);
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const bool wayland = kreslix::onWaylandSession();
    const int runs = argc > 1 ? std::atoi(argv[1]) : (wayland ? 15 : 30);

    kreslix::DocumentState document;
    kreslix::testing::ScriptedPrompts prompts;
    std::function<void()> bare = [] { QGuiApplication::primaryScreen()->grabWindow(0); };
    if (wayland)
        bare = [] { barePortalScreenshot(); };
    auto command = [&] {
        kreslix::KoprovapracovnplochuWindows1Click(document, prompts, kreslix::captureScreenNow);
    };

    std::vector<double> commandMs, bareMs;
    try {
        command();  // the first of each warms caches and connections
        bare();
        for (int run = 0; run < runs; ++run) {
            bareMs.push_back(milliseconds(bare));
            commandMs.push_back(milliseconds(command));
        }
    } catch (const kreslix::KreslixError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }

    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("Paste desktop image on %s (platform %s), screen %d x %d, %d runs\n",
                wayland ? "Wayland through the desktop portal" : "X11",
                qPrintable(QGuiApplication::platformName()), screen.width(), screen.height(), runs);
    std::printf("  Paste desktop image, no settle wait, median: %8.2f ms\n", median(commandMs));
    std::printf("  %-43s %8.2f ms\n",
                wayland ? "bare portal request, median:" : "bare QScreen::grabWindow(0), median:",
                median(bareMs));
    std::printf("  ratio of the medians (aim <= 1.2):           %8.2f\n",
                median(commandMs) / median(bareMs));
    return 0;
}

#include "capture_bench.moc"
