#include "platform/sim/SimPlatform.h"

namespace sim {

std::optional<std::string> SimFiles::readBytes(const std::string& path, std::size_t maxBytes)
{
    auto it = content.find(path);
    if (it == content.end() || unreadable.count(path))
        return std::nullopt;
    return it->second.substr(0, maxBytes);
}

bool SimFiles::writeBytes(const std::string& path, const std::string& bytes)
{
    if (unreadable.count(path))
        return false;
    content[path] = bytes;
    return true;
}

platform::LocalTime SimSystem::now()
{
    // Seconds within the day are enough for the tests that read the clock.
    long long seconds = start.hour * 3600LL + start.minute * 60 + start.second + toolkit_.nowMs() / 1000;
    platform::LocalTime t = start;
    t.hour = static_cast<int>((seconds / 3600) % 24);
    t.minute = static_cast<int>((seconds / 60) % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

} // namespace sim
