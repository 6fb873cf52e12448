#pragma once
// A TCP client whose connect, data and close arrive as events on the user-interface thread: no
// thread and no blocking call. Addresses are numbers; nothing is looked up by name.
// The program reads the bytes itself, as much and as often as it wants: a sender faster than the
// program then waits in the network (the socket's buffers fill and TCP holds it back) instead of
// the program's window messages waiting behind an endless stream of data.
#include <cstddef>
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
    // Bytes wait to be read. Raised again only after a read, when bytes are still or again waiting.
    virtual void onReadable() = 0;
    // Refused, failed or ended by the other side; no event follows. The bytes the other side sent
    // before its end can still be read.
    virtual void onClosed() = 0;
};

// Owns an open or opening connection: destroying it closes the socket, and no event follows.
class Connection {
public:
    virtual ~Connection() = default;
    // Copies at most `capacity` waiting bytes into `buffer` without waiting; 0 when none wait
    // (yet, or any more after the end).
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
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
