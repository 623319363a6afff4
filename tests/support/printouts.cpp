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

SilentService::SilentService(Start start)
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
    if (socket_ >= 0 && start == AnswersOnce)
        answering_ = std::thread([this] { answerOnce(); });
}

SilentService::~SilentService() {
    if (socket_ >= 0) {
        shutdown(socket_, SHUT_RDWR);  // ends a wait in accept()
        if (answering_.joinable())
            answering_.join();
        close(socket_);
    }
}

// One HTTP exchange: the request's headers and body (its Content-Length), then a successful IPP
// answer to it. Later connections wait in the backlog.
void SilentService::answerOnce() {
    const int client = accept(socket_, nullptr, nullptr);
    if (client < 0)
        return;
    QByteArray request;
    qsizetype headerEnd = -1;
    qsizetype bodyBytes = 0;
    char buffer[4096];
    while (headerEnd < 0 || request.size() < headerEnd + 4 + bodyBytes) {
        const ssize_t got = read(client, buffer, sizeof buffer);
        if (got <= 0)
            break;
        request.append(buffer, got);
        if (headerEnd < 0 && (headerEnd = request.indexOf("\r\n\r\n")) >= 0) {
            for (const QByteArray& line : request.left(headerEnd).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    bodyBytes = line.mid(15).trimmed().toLongLong();
                if (line.toLower().startsWith("expect: 100-continue") &&
                    write(client, "HTTP/1.1 100 Continue\r\n\r\n", 25) != 25) {
                    break;
                }
            }
        }
    }
    if (headerEnd >= 0 && request.size() >= headerEnd + 4 + 8) {
        // Version 2.0, successful-ok, the request's id, end of attributes.
        QByteArray answer = QByteArray::fromHex("02000000");
        answer += request.mid(headerEnd + 4 + 4, 4);
        answer += '\x03';
        const QByteArray reply =
            "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
            "Content-Length: " +
            QByteArray::number(answer.size()) + "\r\n\r\n" + answer;
        answered_ = write(client, reply.constData(), size_t(reply.size())) == reply.size();
    }
    close(client);
}

}  // namespace kreslix::testing
