#include "picture_ops/portal_screenshot.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "common/error.h"

namespace kreslix {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// File times may come from the kernel's coarse clock, which lags the clock read before the
// request by up to a tick (10 ms at the slowest); a file made for the request must not look
// older than the request.
constexpr qint64 kClockSlackMs = 20;

bool capturing = false;

class CaptureUnderWay {
public:
    CaptureUnderWay() {
        if (capturing)
            throw SilentAbort();
        capturing = true;
    }
    ~CaptureUnderWay() { capturing = false; }
    CaptureUnderWay(const CaptureUnderWay&) = delete;
    CaptureUnderWay& operator=(const CaptureUnderWay&) = delete;
};

KreslixError captureFailure(const QString& reason) {
    return KreslixError(QStringLiteral("Cannot capture the screen: %1").arg(reason));
}

KreslixError portalFailure(const QDBusError& error) {
    switch (error.type()) {
        case QDBusError::ServiceUnknown:
        case QDBusError::NoServer:
        case QDBusError::Disconnected:
        case QDBusError::UnknownObject:
        case QDBusError::UnknownInterface:
        case QDBusError::UnknownMethod:
            return captureFailure(QStringLiteral("the desktop portal is not available"));
        default:
            return captureFailure(
                QStringLiteral("the desktop portal failed (%1)").arg(error.message()));
    }
}

// The object path of the request the portal makes for this token, by its documented scheme:
// the caller's unique bus name without the ':' and with '_' for '.', then the token.
QString requestPath(const QDBusConnection& bus, const QString& token) {
    const QString sender = bus.baseService().mid(1).replace(u'.', u'_');
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

// Listens for the Response signal of request objects; subscribed before the call is made, so
// an answer that comes at once is not missed.
class ResponseListener : public QObject {
    Q_OBJECT
public:
    ResponseListener(QDBusConnection bus, QEventLoop& loop) : bus_(std::move(bus)), loop_(loop) {}
    ~ResponseListener() override {
        for (const QString& path : paths_)
            bus_.disconnect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                            SLOT(onResponse(uint, QVariantMap)));
    }
    ResponseListener(const ResponseListener&) = delete;
    ResponseListener& operator=(const ResponseListener&) = delete;

    void listen(const QString& path) {
        if (paths_.contains(path))
            return;
        paths_ << path;
        bus_.connect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    }

    std::optional<uint> response;
    QVariantMap results;

public Q_SLOTS:
    void onResponse(uint code, const QVariantMap& answer) {
        response = code;
        results = answer;
        loop_.quit();
    }

private:
    QDBusConnection bus_;
    QEventLoop& loop_;
    QStringList paths_;
};

// The portal makes a file for each request, or writes over a fixed one. It is removed only when
// its birth time says it came into being after the request was sent: a file that was there
// before (the user's own, written over) stays, and so does a file on a file system that keeps
// no birth time.
void removeIfMadeForRequest(const QString& path, const QDateTime& requested) {
    const QFileInfo file(path);
    const QDateTime born = file.birthTime();
    if (file.isFile() && !file.isSymLink() && born.isValid() &&
        born >= requested.addMSecs(-kClockSlackMs))
        QFile::remove(path);
}

QImage readAnswer(const QVariantMap& results, const QDateTime& requested) {
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile())
        throw captureFailure(QStringLiteral("the desktop portal gave no picture file"));
    const QString path = uri.toLocalFile();
    QImageReader reader(path);
    const QImage image = reader.read();
    removeIfMadeForRequest(path, requested);
    if (image.isNull())
        throw captureFailure(QStringLiteral("the desktop portal's picture cannot be read"));
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage portalScreenshot(std::chrono::milliseconds timeLimit, QDBusConnection bus) {
    const CaptureUnderWay guard;
    if (!bus.isConnected())
        throw captureFailure(QStringLiteral("the desktop portal is not available"));

    // A new token, and so a new request path, for every request: xdg-desktop-portal-wlr 0.7
    // keeps each request's object, and fails a request on a path it has seen.
    const QString token = QStringLiteral("kreslix%1").arg(QRandomGenerator::global()->generate());
    QString handle = requestPath(bus, token);
    QEventLoop loop;
    ResponseListener listener(bus, loop);
    listener.listen(handle);

    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDateTime requested = QDateTime::currentDateTimeUtc();
    QDBusPendingCallWatcher watcher(bus.asyncCall(call, int(timeLimit.count())));
    std::optional<QDBusError> failed;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            failed = reply.error();
            loop.quit();
        } else if (reply.value().path() != handle) {
            // A portal older than the token scheme names the request its own way.
            handle = reply.value().path();
            listener.listen(handle);
        }
    });
    bool timedOut = false;
    QTimer::singleShot(timeLimit, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();

    if (listener.response) {
        switch (*listener.response) {
            case 0:
                return readAnswer(listener.results, requested);
            case 1:
                throw SilentAbort();  // declined by the user in the portal's own dialog
            default:
                throw captureFailure(QStringLiteral("the desktop portal failed"));
        }
    }
    if (failed)
        throw portalFailure(*failed);
    // Not waited for any longer: the portal may drop the request.
    bus.send(QDBusMessage::createMethodCall(kService, handle, kRequestInterface,
                                            QStringLiteral("Close")));
    if (timedOut) {
        throw captureFailure(QStringLiteral("the desktop portal did not answer within %1 seconds")
                                 .arg(timeLimit.count() / 1000.0));
    }
    throw SilentAbort();  // the program is quitting
}

}  // namespace kreslix

#include "portal_screenshot.moc"
