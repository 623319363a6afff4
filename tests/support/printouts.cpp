#include "tests/support/printouts.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QThread>
#include <optional>

namespace kreslix::testing {

QStringList printedFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

namespace {

// What lpstat says about the scheduler in CUPS_SERVER, or nothing when it can't be asked.
std::optional<QString> lpstat(const QStringList& arguments) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), arguments);
    if (!lpstat.waitForFinished(10000) || lpstat.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput());
}

// Whether every printer of the scheduler is idle: none is still writing a job's file.
bool printersIdle() {
    const std::optional<QString> printers = lpstat({QStringLiteral("-p")});
    if (!printers)
        return false;
    for (const QString& line : printers->split(u'\n')) {
        if (line.startsWith(QLatin1String("printer ")) && !line.contains(QLatin1String(" idle")))
            return false;
    }
    return true;
}

}  // namespace

bool schedulerHasJobs() {
    const std::optional<QString> jobs = lpstat({QStringLiteral("-o")});
    return !jobs || !jobs->trimmed().isEmpty();
}

QStringList newPrintouts(const QString& folder, const QStringList& before) {
    QStringList added;
    // Done once a new file is there, the scheduler has no job left and its printer is idle:
    // every job given to it so far has then written its file, a second one too.
    for (int attempt = 0; attempt < 120; ++attempt) {
        added = printedFiles(folder);
        for (const QString& old : before)
            added.removeAll(old);
        if (!added.isEmpty() && !schedulerHasJobs() && printersIdle())
            break;
        QThread::msleep(250);
    }
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
