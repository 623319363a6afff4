// The portal request against a portal of the test's own on a private D-Bus bus, which answers
// each request as it is told to: with a picture file, a refusal, a failure or not at all. It
// answers before it replies to the call, as a fast portal may, so a request that listened only
// after the reply would miss the answer.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "common/error.h"
#include "picture_ops/portal_screenshot.h"

namespace kreslix::testing {
namespace {

using namespace std::chrono_literals;

// The portal's response codes, no response at all, and a success without a picture file or
// with a file that is no picture.
enum Answer : int { Picture = 0, Declined = 1, Failed = 2, Silent = -1, NoFile = -2, Garbled = -3 };

class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    Answer answer = Picture;
    QString file;  // the picture's path
    QImage picture;
    int requests = 0;

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options,
                               const QDBusMessage& call) {
        ++requests;
        const QString handle = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                   .arg(call.service().mid(1).replace(u'.', u'_'),
                                        options.value(QStringLiteral("handle_token")).toString());
        if (answer != Silent) {
            QVariantMap results;
            if (answer == Picture || answer == Garbled) {
                if (answer == Picture) {
                    picture.save(file, "PNG");
                } else {
                    QFile garbled(file);
                    if (garbled.open(QIODevice::WriteOnly))
                        garbled.write("\x89PNG\r\n\x1a\n but no picture follows");
                }
                results.insert(QStringLiteral("uri"), QUrl::fromLocalFile(file).toString());
            }
            QDBusMessage response =
                QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"),
                                           QStringLiteral("Response"));
            response << uint(answer < 0 ? Picture : answer) << results;
            QDBusConnection(QStringLiteral("portal")).send(response);
        }
        return QDBusObjectPath(handle);
    }
};

class PortalScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(folder.isValid());
        QFile config(folder.filePath(QStringLiteral("bus.conf")));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(R"(<busconfig><type>session</type>
            <listen>unix:dir=%1</listen><auth>EXTERNAL</auth>
            <policy context="default"><allow send_destination="*" eavesdrop="true"/>
            <allow eavesdrop="true"/><allow own="*"/></policy>
            </busconfig>)")
                         .arg(folder.path())
                         .toUtf8());
        config.close();
        bus.start(daemon, {QStringLiteral("--config-file=") + config.fileName(),
                           QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        ASSERT_TRUE(bus.waitForReadyRead(10000));
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        caller = QDBusConnection::connectToBus(address, QStringLiteral("caller"));
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("portal"));
        ASSERT_TRUE(caller.isConnected() && service.isConnected());
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                           &portal, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        portal.file = folder.filePath(QStringLiteral("screenshot.png"));
        portal.picture = QImage(7, 5, QImage::Format_RGB32);
        portal.picture.fill(qRgb(10, 200, 30));
        portal.picture.setPixel(6, 4, qRgb(250, 0, 99));
    }

    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        bus.kill();
        bus.waitForFinished();
    }

    // The message of the failure, "silent" for a silent abort, empty when the picture came.
    std::string outcome(std::chrono::milliseconds timeLimit = 10s) {
        try {
            captured = portalScreenshot(timeLimit, caller);
            return {};
        } catch (const KreslixError& e) {
            return e.message().toStdString();
        } catch (const SilentAbort&) {
            return "silent";
        }
    }

    QTemporaryDir folder;
    QProcess bus;
    QDBusConnection caller{QString()};
    FakePortal portal;
    QImage captured;
};

// The picture comes at its own size; the file made for the request is removed, one that was
// there before stays.
TEST_F(PortalScreenshot, ReadsThePictureAndRemovesOnlyAFileMadeForTheRequest) {
    EXPECT_EQ(outcome(), "");
    EXPECT_EQ(captured, portal.picture);
    EXPECT_FALSE(QFile::exists(portal.file)) << "the portal's new file is left behind";

    ASSERT_TRUE(QImage(2, 2, QImage::Format_RGB32).save(portal.file, "PNG"));
    QThread::msleep(100);  // file times may be a clock tick off: the file is clearly older
    EXPECT_EQ(outcome(), "");
    EXPECT_EQ(captured, portal.picture);
    EXPECT_TRUE(QFile::exists(portal.file)) << "a file that was there before is removed";
}

struct Failure {
    Answer answer;
    bool portalOnBus;
    const char* message;
};

class PortalFailures : public PortalScreenshot, public ::testing::WithParamInterface<Failure> {};

TEST_P(PortalFailures, EndTheCaptureWithTheirMessage) {
    portal.answer = GetParam().answer;
    if (!GetParam().portalOnBus)
        QDBusConnection(QStringLiteral("portal"))
            .unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    EXPECT_EQ(outcome(300ms), GetParam().message);
    EXPECT_TRUE(captured.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PortalFailures,
    ::testing::Values(
        Failure{Declined, true, "silent"},
        Failure{Failed, true, "Cannot capture the screen: the desktop portal failed"},
        Failure{Silent, true,
                "Cannot capture the screen: the desktop portal did not answer within 0.3 seconds"},
        Failure{Picture, false, "Cannot capture the screen: the desktop portal is not available"},
        Failure{NoFile, true, "Cannot capture the screen: the desktop portal gave no picture file"},
        Failure{Garbled, true,
                "Cannot capture the screen: the desktop portal's picture cannot be read"}));

// A second capture started from the event loop while the first waits ends quietly and asks the
// portal nothing; the first goes on waiting.
TEST_F(PortalScreenshot, ASecondCaptureWhileOneWaitsEndsQuietly) {
    portal.answer = Silent;
    std::string second;
    QTimer::singleShot(50ms, [&] { second = outcome(); });
    EXPECT_EQ(outcome(500ms),
              "Cannot capture the screen: the desktop portal did not answer within 0.5 seconds");
    EXPECT_EQ(second, "silent");
    EXPECT_EQ(portal.requests, 1);
}

}  // namespace
}  // namespace kreslix::testing

#include "portal_screenshot_tests.moc"
