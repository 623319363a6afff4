#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>

namespace kreslix::e2e {

// Pointer and key events sent to a VNC server's Unix socket (RFB 3.8, no authentication), as
// wayvnc gives a headless Wayland desktop a pointer and a keyboard. It asks for no screen
// updates, so the server sends nothing after the handshake.
class RfbInput {
public:
    // X keysyms of the keys the tests press; printable ASCII keys are their own keysyms.
    enum Key : std::uint32_t {
        Escape = 0xff1b,
        Return = 0xff0d,
        Up = 0xff52,
        Right = 0xff53,
        Down = 0xff54,
        Control = 0xffe3,
        Alt = 0xffe9
    };
    enum Buttons : std::uint8_t { NoButton = 0, LeftButton = 1, RightButton = 4 };

    RfbInput() = default;
    ~RfbInput();
    RfbInput(const RfbInput&) = delete;
    RfbInput& operator=(const RfbInput&) = delete;

    // Connects and completes the handshake.
    bool connect(const QString& socketPath);
    // The keys pressed in order and released in reverse, as a chord: {Control, 'c'} is Ctrl+C.
    void press(std::initializer_list<std::uint32_t> chord);
    // The pointer at (x, y) on the screen with these buttons held.
    void pointer(int x, int y, std::uint8_t buttons = NoButton);

private:
    bool send(const void* data, std::size_t size);
    bool receive(void* data, std::size_t size);

    int socket_ = -1;
};

}  // namespace kreslix::e2e
