#pragma once
// Connections the test plays the server of: it accepts, refuses, sends bytes and drops, and each
// of those reaches the program as the event the real network would raise.
#include "platform/Network.h"

#include <cstdint>
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

    // A connection the program holds open (connected or still connecting).
    bool open() const { return current_ != nullptr; }
    bool connected() const { return current_ && accepted_; }
    // Both false when no connection is open.
    bool accept();
    bool refuse();
    bool send(std::string_view bytes);
    bool drop();

    std::unique_ptr<platform::Connection> connect(
        std::uint32_t address, std::uint16_t port, platform::ConnectionEvents& events) override;

private:
    class SimConnection;
    void forget(const SimConnection* connection);

    const SimConnection* current_ = nullptr;
    platform::ConnectionEvents* events_ = nullptr;
    bool accepted_ = false;
};

} // namespace sim
