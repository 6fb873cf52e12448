#pragma once
// Connections the test plays the server of: it accepts, refuses, sends bytes and drops, and each
// of those reaches the program as the event the real network would raise. Sent bytes wait in the
// connection, as in a socket, until the program reads them.
#include "platform/Network.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class SimNetwork final : public platform::Network {
public:
    struct Attempt {
        std::uint32_t address;
        std::uint16_t port;
    };
    std::vector<Attempt> attempts; // every connect call, in order
    bool failToStart = false;      // connect answers null
    std::size_t reads = 0;         // read calls of the program, on any connection

    // A connection the program holds open (connected or still connecting).
    bool open() const { return current_ != nullptr; }
    bool connected() const { return current_ && accepted_; }
    // Both false when no connection is open.
    bool accept();
    bool refuse();
    // Queues the bytes; the program hears of them when it has read since it last heard of bytes.
    bool send(std::string_view bytes);
    // Tells the program again of bytes still waiting, as Winsock does after a read that left some.
    bool announce();
    // The server ends the connection; what it sent before stays readable.
    bool drop();
    // Bytes sent on the program's last connection and not read yet.
    std::size_t waiting() const;

    std::unique_ptr<platform::Connection> connect(
        std::uint32_t address, std::uint16_t port, platform::ConnectionEvents& events) override;

private:
    class SimConnection;
    void forget(const SimConnection* connection);

    SimConnection* current_ = nullptr; // open: the server's side still there
    SimConnection* last_ = nullptr;    // the program's latest connection, open or ended
    platform::ConnectionEvents* events_ = nullptr;
    bool accepted_ = false;
    bool readSinceNotice_ = true;
};

} // namespace sim
