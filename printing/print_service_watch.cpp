#include "printing/print_service_watch.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "common/error.h"
#include "printing/print_service.h"

namespace kreslix {
namespace {

constexpr auto kRetry = std::chrono::milliseconds(100);

// Whether the socket is connected to the print service: to its socket file, or to its port.
bool leadsToService(int descriptor, const QByteArray& server, int port) {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(descriptor, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return false;
    switch (peer.ss_family) {
        case AF_UNIX: {
            const auto* local = reinterpret_cast<const sockaddr_un*>(&peer);
            return !server.isEmpty() && server.startsWith('/') &&
                   std::strncmp(local->sun_path, server.constData(), sizeof local->sun_path) == 0;
        }
        case AF_INET:
            return !server.startsWith('/') &&
                   ntohs(reinterpret_cast<const sockaddr_in*>(&peer)->sin_port) == port;
        case AF_INET6:
            return !server.startsWith('/') &&
                   ntohs(reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_port) == port;
        default:
            return false;
    }
}

// Ends every connection of this process to the service: a waiting read then returns at once.
// Each socket's peer is looked at just before it is shut down.
void shutDownServiceConnections(const QByteArray& server, int port) {
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder)
        return;
    const int own = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        char* end = nullptr;
        const long descriptor = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || descriptor == own)
            continue;
        struct stat info {};
        if (::fstat(int(descriptor), &info) == 0 && S_ISSOCK(info.st_mode) &&
            leadsToService(int(descriptor), server, port)) {
            ::shutdown(int(descriptor), SHUT_RDWR);
        }
    }
    ::closedir(folder);
}

}  // namespace

PrintServiceWatch::PrintServiceWatch()
    : server_(cupsServer()), port_(ippPort()), thread_([this] { watch(); }) {}

PrintServiceWatch::~PrintServiceWatch() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    thread_.join();
}

void PrintServiceWatch::watch() {
    std::unique_lock lock(mutex_);
    if (finished_.wait_for(lock, std::chrono::milliseconds(kPrintServiceAnswerLimitMs),
                           [this] { return done_; })) {
        return;
    }
    gaveUp_ = true;
    // libcups may connect again and repeat the request: each new connection is ended too.
    do {
        shutDownServiceConnections(server_, port_);
    } while (!finished_.wait_for(lock, kRetry, [this] { return done_; }));
}

void PrintServiceWatch::throwIfGaveUp() const {
    if (gaveUp_)
        throw KreslixError(printServiceNotAnsweringMessage());
}

}  // namespace kreslix
