#pragma once
// A TCP client whose connect, data and close arrive as events on the user-interface thread: no
// thread and no blocking call. Addresses are numbers; nothing is looked up by name.
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

// What happens on one connection. A handler may let pending messages run, so more events of the
// same connection can arrive inside it.
class ConnectionEvents {
public:
    virtual ~ConnectionEvents() = default;
    virtual void onConnected() = 0;
    virtual void onReceived(std::string_view bytes) = 0;
    // Refused, failed or ended by the other side; no event follows.
    virtual void onClosed() = 0;
};

// Owns an open or opening connection: destroying it closes the socket, and no event follows.
class Connection {
public:
    virtual ~Connection() = default;
};

class Network {
public:
    virtual ~Network() = default;
    // Starts connecting to an IPv4 address (host byte order) without waiting; null when not even
    // the attempt can start.
    virtual std::unique_ptr<Connection> connect(
        std::uint32_t address, std::uint16_t port, ConnectionEvents& events) = 0;
};

} // namespace platform
