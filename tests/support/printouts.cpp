#include "tests/support/printouts.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QThread>

namespace kreslix::testing {

QStringList printedFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

bool schedulerHasJobs() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    return !lpstat.waitForFinished(10000) || !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

QStringList newPrintouts(const QString& folder, const QStringList& before) {
    QStringList added;
    for (int attempt = 0; attempt < 120; ++attempt) {
        QThread::msleep(250);
        added = printedFiles(folder);
        for (const QString& old : before)
            added.removeAll(old);
        if (!added.isEmpty() && !schedulerHasJobs())
            break;
    }
    QThread::msleep(500);  // a second job, were there one, would have its file by now
    added = printedFiles(folder);
    for (const QString& old : before)
        added.removeAll(old);
    return added;
}

SilentService::SilentService()
    : path_(folder_.filePath(QStringLiteral("cups.sock")).toLocal8Bit()) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!folder_.isValid() || size_t(path_.size()) >= sizeof address.sun_path)
        return;
    std::copy(path_.begin(), path_.end(), address.sun_path);
    socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
    // Connections wait in the backlog, accepted by the system and read by no one.
    if (socket_ >= 0 &&
        (bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
         listen(socket_, 16) != 0)) {
        close(socket_);
        socket_ = -1;
    }
}

SilentService::~SilentService() {
    if (socket_ >= 0)
        close(socket_);
}

}  // namespace kreslix::testing
