#include "tests/e2e/rfb_input.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QThread>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace kreslix::e2e {

namespace {

// Time for the compositor to hand an event on before the next one, as a hand would give it.
constexpr int kEventGapMs = 30;

}  // namespace

RfbInput::~RfbInput() {
    if (socket_ >= 0)
        ::close(socket_);
}

bool RfbInput::send(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t sent = ::send(socket_, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= std::size_t(sent);
    }
    return true;
}

bool RfbInput::receive(void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::recv(socket_, bytes, size, 0);
        if (got <= 0)
            return false;
        bytes += got;
        size -= std::size_t(got);
    }
    return true;
}

bool RfbInput::connect(const QString& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = socketPath.toLocal8Bit();
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        error = QStringLiteral("socket path too long");
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0 || ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
        error = QStringLiteral("cannot connect to %1").arg(socketPath);
        return false;
    }
    // Version, security type 1 (none), its result, then a shared session and the server's
    // description of its screen, whose name ends it.
    std::array<char, 12> version{};
    std::uint8_t typeCount = 0;
    if (!receive(version.data(), version.size()) || !send("RFB 003.008\n", 12) ||
        !receive(&typeCount, 1) || typeCount == 0) {
        error = QStringLiteral("no RFB handshake");
        return false;
    }
    std::vector<std::uint8_t> types(typeCount);
    receive(types.data(), types.size());
    const std::uint8_t none = 1, shared = 1;
    std::uint32_t result = 1, nameLength = 0;
    std::array<char, 20> screen{};
    if (std::find(types.begin(), types.end(), none) == types.end() || !send(&none, 1) ||
        !receive(&result, 4) || result != 0 || !send(&shared, 1) ||
        !receive(screen.data(), screen.size()) || !receive(&nameLength, 4)) {
        error = QStringLiteral("the server wants authentication");
        return false;
    }
    std::vector<char> name(ntohl(nameLength));
    return receive(name.data(), name.size());
}

void RfbInput::press(std::initializer_list<std::uint32_t> chord) {
    auto key = [&](std::uint32_t keysym, bool down) {
        const std::array<std::uint8_t, 8> event{4,
                                                std::uint8_t(down),
                                                0,
                                                0,
                                                std::uint8_t(keysym >> 24),
                                                std::uint8_t(keysym >> 16),
                                                std::uint8_t(keysym >> 8),
                                                std::uint8_t(keysym)};
        send(event.data(), event.size());
        QThread::msleep(kEventGapMs);
    };
    for (const std::uint32_t keysym : chord)
        key(keysym, true);
    for (auto it = std::rbegin(chord); it != std::rend(chord); ++it)
        key(*it, false);
}

void RfbInput::pointer(int x, int y, std::uint8_t buttons) {
    const std::array<std::uint8_t, 6> event{
        5, buttons, std::uint8_t(x >> 8), std::uint8_t(x), std::uint8_t(y >> 8), std::uint8_t(y)};
    send(event.data(), event.size());
    QThread::msleep(kEventGapMs);
}

}  // namespace kreslix::e2e
