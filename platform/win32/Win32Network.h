#pragma once
// Non-blocking TCP connections whose events come as window messages (WSAAsyncSelect) to a
// message-only window of their own, on the user-interface thread. Winsock is loaded on the first
// connection: most runs never open one, and an idle bar should not carry it.
#include "platform/Network.h"
#include "win32kit/WindowClassSet.h"

#include <memory>

namespace platform::win32 {

class Win32Network final : public platform::Network {
public:
    Win32Network();
    ~Win32Network() override;
    Win32Network(const Win32Network&) = delete;
    Win32Network& operator=(const Win32Network&) = delete;

    std::unique_ptr<Connection> connect(std::uint32_t address, std::uint16_t port, ConnectionEvents& events) override;

    // ws2_32 and the functions a connection uses, started while loaded.
    struct Winsock;

private:
    bool loaded_ = false;
    // Shared with each connection, so a socket can still be closed if the connection outlives this.
    std::shared_ptr<const Winsock> winsock_;
    win32kit::WindowClassSet classes_;
};

} // namespace platform::win32
