#include "infrared/ServerAddress.h"

namespace infrared {

namespace {

constexpr std::uint16_t kDefaultPort = 8765;
constexpr std::uint32_t kLoopback = 0x7F000001;

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A whole number of 1 to maxDigits digits no larger than max.
std::optional<std::uint32_t> Number(std::string_view text, std::size_t maxDigits, std::uint32_t max)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > max)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> Dotted(std::string_view text)
{
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const auto byte = Number(text.substr(0, dot), 3, 255);
        if (!byte)
            return std::nullopt;
        address = address << 8 | *byte;
        text.remove_prefix(part < 3 ? dot + 1 : dot);
    }
    return address;
}

} // namespace

std::optional<ServerAddress> ParseServerAddress(std::string_view text)
{
    const std::size_t colon = text.rfind(':');
    const std::string_view host = text.substr(0, colon);
    ServerAddress server;
    server.port = kDefaultPort;
    if (colon != std::string_view::npos) {
        const auto port = Number(text.substr(colon + 1), 5, 65535);
        if (!port || *port == 0)
            return std::nullopt;
        server.port = static_cast<std::uint16_t>(*port);
    }
    if (EqualsIgnoringCase(host, "localhost")) {
        server.address = kLoopback;
        return server;
    }
    const auto address = Dotted(host);
    if (!address)
        return std::nullopt;
    server.address = *address;
    return server;
}

} // namespace infrared
