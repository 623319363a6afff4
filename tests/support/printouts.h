#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

namespace kreslix::testing {

// The PDF files the private scheduler's printer has written into `folder`, by name.
QStringList printedFiles(const QString& folder);

// The PDF files written into `folder` since `before` was listed, once one is there, the
// scheduler in CUPS_SERVER has no job left and its printers are idle (or after half a minute).
QStringList newPrintouts(const QString& folder, const QStringList& before);

// Whether the scheduler in CUPS_SERVER holds a job not yet done (or can't be asked).
bool schedulerHasJobs();

// A socket that takes connections and never answers: a print service that hangs. Told to, it
// first answers one request (any IPP request, with success and no attributes) and only then
// falls silent.
class SilentService {
public:
    enum Start { SilentFromTheStart, AnswersOnce };
    explicit SilentService(Start start = SilentFromTheStart);
    ~SilentService();
    SilentService(const SilentService&) = delete;
    SilentService& operator=(const SilentService&) = delete;

    bool listening() const { return socket_ >= 0; }
    // Its path, for CUPS_SERVER.
    const char* path() const { return path_.constData(); }
    bool answered() const { return answered_; }

private:
    void answerOnce();

    QTemporaryDir folder_;
    QByteArray path_;
    int socket_ = -1;
    std::atomic<bool> answered_{false};
    std::thread answering_;
};

}  // namespace kreslix::testing
