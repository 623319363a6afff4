#pragma once

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kreslix {

// Bounds the wait of Qt's print support, which asks the print service (CUPS) on connections of
// its own and waits for the answers without a limit, for as long as the watch lives. Past
// kPrintServiceAnswerLimitMs it shuts down this program's connections to the service, again
// every tenth of a second, so that the waiting call returns (having found no printers); the
// caller then says that the service does not answer, with throwIfGaveUp. Only the connections'
// sockets are touched, from a thread of the watch's own: Qt's calls stay on the caller's thread.
class PrintServiceWatch {
public:
    PrintServiceWatch();
    ~PrintServiceWatch();
    PrintServiceWatch(const PrintServiceWatch&) = delete;
    PrintServiceWatch& operator=(const PrintServiceWatch&) = delete;

    // Throws KreslixError saying that the service does not answer, when the watch had to end a
    // wait.
    void throwIfGaveUp() const;

private:
    void watch();

    const QByteArray server_;  // as the caller's thread reaches the service
    const int port_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::atomic<bool> gaveUp_{false};
    std::thread thread_;
};

}  // namespace kreslix
