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

QString session() {
    return qEnvironmentVariable("KRESLIX_WAYLAND_SESSION");
}

// Depth first through the outputs, workspaces and containers, tiled and floating.
QJsonObject findNode(const QJsonObject& node, const QString& name) {
    if (node.value(QLatin1String("name")).toString() == name && node.contains(QLatin1String("pid")))
        return node;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(children)).toArray()) {
            const QJsonObject found = findNode(child.toObject(), name);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

}  // namespace

QString waylandDesktopMissing() {
    if (session().isEmpty())
        return QStringLiteral(
            "no Wayland desktop: run under `scripts/wayland-session exec` with "
            "KRESLIX_WAYLAND_SESSION from `scripts/wayland-session start`");
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
    const bool finished = tool.waitForFinished(30000);
    const bool success =
        finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (ok)
        *ok = success;
    else
        EXPECT_TRUE(success) << program.toStdString() << ": "
                             << tool.readAllStandardError().toStdString();
    return tool.readAllStandardOutput();
}

QImage grabScreen() {
    return QImage::fromData(runDesktopTool(QStringLiteral("grim"), {QStringLiteral("-")}), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

QImage settledScreen() {
    QImage before, screen = grabScreen();
    for (int attempt = 0; attempt < 50 && screen != before; ++attempt) {
        QThread::msleep(100);
        before = screen;
        screen = grabScreen();
    }
    return screen == before ? screen : QImage();
}

QStringList clipboardTypes() {
    bool ok = false;
    const QByteArray types =
        runDesktopTool(QStringLiteral("wl-paste"), {QStringLiteral("--list-types")}, {}, &ok);
    return ok ? QString::fromUtf8(types).split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

QByteArray clipboardData(const QString& type) {
    return runDesktopTool(QStringLiteral("wl-paste"),
                          {QStringLiteral("--no-newline"), QStringLiteral("-t"), type});
}

bool waitForClipboardType(const QString& type, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!clipboardTypes().contains(type)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

void offerOnClipboard(const QString& type, const QByteArray& data) {
    // wl-copy hands the offer to a process of its own, which serves it until it is replaced.
    runDesktopTool(QStringLiteral("wl-copy"), {QStringLiteral("-t"), type}, data);
    EXPECT_TRUE(waitForClipboardType(type)) << type.toStdString() << " is not offered";
}

DesktopWindow findDesktopWindow(const QString& title, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bool ok = false;
        const QByteArray tree = runDesktopTool(
            QStringLiteral("swaymsg"),
            {QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")}, {}, &ok);
        const QJsonObject node = findNode(QJsonDocument::fromJson(tree).object(), title);
        if (!node.isEmpty()) {
            const QJsonObject rect = node.value(QLatin1String("rect")).toObject();
            const QString appId = node.value(QLatin1String("app_id")).toString();
            return {true,
                    QRect(rect.value(QLatin1String("x")).toInt(),
                          rect.value(QLatin1String("y")).toInt(),
                          rect.value(QLatin1String("width")).toInt(),
                          rect.value(QLatin1String("height")).toInt()),
                    appId.isEmpty() ? node.value(QLatin1String("window_properties"))
                                          .toObject()
                                          .value(QLatin1String("class"))
                                          .toString()
                                    : appId};
        }
        if (deadline.hasExpired())
            return {};
        QThread::msleep(100);
    }
}

bool desktopWindowGone(const QString& title, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (findDesktopWindow(title, 0).ok) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

void startAsDesktopUser(QProcess& process, const QString& program, const QStringList& arguments,
                        QProcessEnvironment environment) {
    const QStringList ids = qEnvironmentVariable("KRESLIX_WAYLAND_USER").split(u':');
    ASSERT_EQ(ids.size(), 2) << "KRESLIX_WAYLAND_USER is not uid:gid";
    const uid_t uid = ids[0].toUInt();
    const gid_t gid = ids[1].toUInt();
    environment.insert(QStringLiteral("HOME"), session() + QStringLiteral("/home"));
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([uid, gid] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(127);
    });
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForStarted(10000)) << program.toStdString();
}

void setPortalRunning(bool running) {
    runDesktopTool(
        QStringLiteral(KRESLIX_SOURCE_DIR "/scripts/wayland-session"),
        {QStringLiteral("portal"), running ? QStringLiteral("start") : QStringLiteral("stop")});
}

}  // namespace kreslix::e2e
