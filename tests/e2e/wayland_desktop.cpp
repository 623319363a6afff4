#include "tests/e2e/wayland_desktop.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace kreslix::e2e {

namespace {

// Depth first through outputs, workspaces and containers, tiled and floating, to a window.
QJsonObject findNode(const QJsonObject& node, const QString& title) {
    if (node.contains(QLatin1String("pid")) && node.value(QLatin1String("name")) == title)
        return node;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(children)).toArray()) {
            if (const QJsonObject found = findNode(child.toObject(), title); !found.isEmpty())
                return found;
        }
    }
    return {};
}

// Where the desktop's user sees the folder: the build may lie where that user cannot enter
// (root's home), so the desktop shows the folder read-only in a place of its own.
QString sharedWithDesktopUser(const QString& folder) {
    bool ok = false;
    const QByteArray shared =
        runDesktopTool(QStringLiteral(KRESLIX_SOURCE_DIR "/scripts/wayland-session"),
                       {QStringLiteral("share"), folder}, {}, &ok);
    EXPECT_TRUE(ok) << "the desktop cannot share " << folder.toStdString();
    return QString::fromUtf8(shared).trimmed();
}

}  // namespace

QString waylandDesktopMissing() {
    if (qEnvironmentVariableIsEmpty("KRESLIX_WAYLAND_SESSION"))
        return QStringLiteral(
            "no Wayland desktop: start one with `scripts/wayland-session start`"
            " and export the KRESLIX_WAYLAND_SESSION it prints");
    if (!QFileInfo(qEnvironmentVariable("KRESLIX_WAYVNC_SOCKET")).exists())
        return QStringLiteral("the Wayland desktop has no wayvnc socket: is it running?");
    return {};
}

QByteArray runDesktopTool(const QString& program, const QStringList& arguments,
                          const QByteArray& input, bool* ok) {
    QProcess tool;
    tool.start(program, arguments);
    tool.write(input);
    tool.closeWriteChannel();
    const bool success = tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit &&
                         tool.exitCode() == 0;
    if (ok)
        *ok = success;
    else
        EXPECT_TRUE(success) << program.toStdString() << ": "
                             << tool.readAllStandardError().toStdString();
    return tool.readAllStandardOutput();
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

QImage settledScreen() {
    auto grab = [] {
        return QImage::fromData(runDesktopTool(QStringLiteral("grim"), {QStringLiteral("-")}))
            .convertToFormat(QImage::Format_RGB32);
    };
    QImage before, screen = grab();
    for (int attempt = 0; attempt < 50 && screen != before; ++attempt) {
        QThread::msleep(100);
        before = std::exchange(screen, grab());
    }
    return screen == before ? screen : QImage();
}

bool clipboardOffers(const QString& type, int timeoutMs) {
    return waitUntil(
        [&] {
            bool ok = false;
            const QByteArray types = runDesktopTool(QStringLiteral("wl-paste"),
                                                    {QStringLiteral("--list-types")}, {}, &ok);
            return ok && QString::fromUtf8(types).split(u'\n').contains(type);
        },
        timeoutMs);
}

QByteArray clipboardData(const QString& type) {
    return runDesktopTool(QStringLiteral("wl-paste"),
                          {QStringLiteral("--no-newline"), QStringLiteral("-t"), type});
}

void offerOnClipboard(const QString& type, const QByteArray& data) {
    // wl-copy leaves a process of its own serving the offer until something replaces it.
    runDesktopTool(QStringLiteral("wl-copy"), {QStringLiteral("-t"), type}, data);
    EXPECT_TRUE(clipboardOffers(type)) << type.toStdString() << " is not offered";
}

DesktopWindow findDesktopWindow(const QString& title, int timeoutMs) {
    QJsonObject node;
    waitUntil(
        [&] {
            bool ok = false;
            const QByteArray tree =
                runDesktopTool(QStringLiteral("swaymsg"),
                               {QStringLiteral("-t"), QStringLiteral("get_tree")}, {}, &ok);
            node = findNode(QJsonDocument::fromJson(tree).object(), title);
            return !node.isEmpty();
        },
        timeoutMs);
    if (node.isEmpty())
        return {};
    const QJsonObject rect = node.value(QLatin1String("rect")).toObject();
    const QString appId = node.value(QLatin1String("app_id")).toString();
    return {true,
            QRect(rect.value(QLatin1String("x")).toInt(), rect.value(QLatin1String("y")).toInt(),
                  rect.value(QLatin1String("width")).toInt(),
                  rect.value(QLatin1String("height")).toInt()),
            !appId.isEmpty() ? appId
                             : node.value(QLatin1String("window_properties"))
                                   .toObject()
                                   .value(QLatin1String("class"))
                                   .toString()};
}

void startAsDesktopUser(QProcess& process, const QString& program,
                        QProcessEnvironment environment) {
    const QStringList ids = qEnvironmentVariable("KRESLIX_WAYLAND_USER").split(u':');
    ASSERT_EQ(ids.size(), 2) << "KRESLIX_WAYLAND_USER is not uid:gid";
    const uid_t uid = ids[0].toUInt();
    const gid_t gid = ids[1].toUInt();
    const QString home = qEnvironmentVariable("KRESLIX_WAYLAND_SESSION") + QStringLiteral("/home");
    environment.insert(QStringLiteral("HOME"), home);
    // The leak checker's suppressions are read at the program's end, as the user too.
    const QString suppressions = QStringLiteral("suppressions=");
    if (QString options = environment.value(QStringLiteral("LSAN_OPTIONS"));
        options.startsWith(suppressions)) {
        const QFileInfo file(options.mid(suppressions.size()));
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           suppressions + sharedWithDesktopUser(file.absolutePath()) +
                               QLatin1Char('/') + file.fileName());
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home);
    process.setChildProcessModifier([uid, gid] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(127);
    });
    const QFileInfo file(program);
    const QString shared = sharedWithDesktopUser(file.absolutePath());
    ASSERT_FALSE(shared.isEmpty());
    process.start(shared + QLatin1Char('/') + file.fileName());
    ASSERT_TRUE(process.waitForStarted(10000)) << program.toStdString();
}

}  // namespace kreslix::e2e
