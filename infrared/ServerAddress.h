#pragma once
// Where the infrared server listens, written "address:port": the address a dotted IPv4 number or
// "localhost" (never looked up, so nothing waits on a name service), the port 1 to 65535.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace infrared {

constexpr const char* kDefaultServer = "127.0.0.1:8765";

struct ServerAddress {
    std::uint32_t address = 0; // host byte order
    std::uint16_t port = 0;
};

// nullopt for anything else; a missing port is 8765.
std::optional<ServerAddress> ParseServerAddress(std::string_view text);

} // namespace infrared
