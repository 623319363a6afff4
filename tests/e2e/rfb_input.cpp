#include "tests/e2e/rfb_input.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QThread>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace kreslix::e2e {

namespace {

// Time for the compositor to hand an event on before the next, as a hand would give it.
constexpr int kEventGapMs = 30;

}  // namespace

RfbInput::~RfbInput() {
    if (socket_ >= 0)
        ::close(socket_);
}

bool RfbInput::send(const void* data, std::size_t size) {
    return ::send(socket_, data, size, MSG_NOSIGNAL) == ssize_t(size);
}

bool RfbInput::receive(void* data, std::size_t size) {
    return ::recv(socket_, data, size, MSG_WAITALL) == ssize_t(size);
}

bool RfbInput::connect(const QString& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return false;
    // The version; the security types, of which 1 (none) is taken, and its result; a shared
    // session; the server's screen (size, pixel format), whose name ends the handshake.
    std::array<char, 24> buffer{};
    std::uint8_t count = 0;
    const std::uint8_t none = 1, shared = 1;
    std::uint32_t result = 1;
    if (!receive(buffer.data(), 12) || !send("RFB 003.008\n", 12) || !receive(&count, 1))
        return false;
    std::vector<std::uint8_t> types(count);
    if (count == 0 || !receive(types.data(), count) ||
        std::find(types.begin(), types.end(), none) == types.end() || !send(&none, 1) ||
        !receive(&result, 4) || result != 0 || !send(&shared, 1) ||
        !receive(buffer.data(), buffer.size()))
        return false;
    std::uint32_t nameLength = 0;
    std::memcpy(&nameLength, buffer.data() + 20, 4);
    std::vector<char> name(ntohl(nameLength));
    return name.empty() || receive(name.data(), name.size());
}

void RfbInput::press(std::initializer_list<std::uint32_t> chord) {
    auto key = [&](std::uint32_t keysym, bool down) {
        const std::uint32_t big = htonl(keysym);
        std::array<std::uint8_t, 8> event{4, std::uint8_t(down)};
        std::memcpy(event.data() + 4, &big, 4);
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
