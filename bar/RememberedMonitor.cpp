#include "bar/RememberedMonitor.h"

#include "settings/SetupMem.h"

#include <charconv>

namespace bar {

namespace {
// A device name is at most 32 characters; four numbers of at most 11 characters each and their
// separators follow.
constexpr std::size_t kMaxTextBytes = 96;
constexpr std::size_t kMaxDeviceName = 32;

bool ReadNumber(std::string_view& text, int& out, char separator)
{
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, out);
    if (error != std::errc() || next == text.data())
        return false;
    text.remove_prefix(static_cast<std::size_t>(next - text.data()));
    if (separator == '\0')
        return text.empty();
    if (text.empty() || text.front() != separator)
        return false;
    text.remove_prefix(1);
    return true;
}
} // namespace

std::string MonitorText(const platform::Monitor& monitor)
{
    const platform::PixelRect& b = monitor.bounds;
    return monitor.deviceName + '|' + std::to_string(b.left) + ',' + std::to_string(b.top) + ',' +
        std::to_string(b.right) + ',' + std::to_string(b.bottom);
}

std::optional<RememberedMonitor> ParseMonitorText(std::string_view text)
{
    const std::size_t bar = text.find('|');
    if (bar == std::string_view::npos || bar > kMaxDeviceName)
        return std::nullopt;
    RememberedMonitor out;
    out.deviceName = std::string(text.substr(0, bar));
    for (const char c : out.deviceName)
        if (static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
    text.remove_prefix(bar + 1);
    platform::PixelRect& b = out.bounds;
    if (!ReadNumber(text, b.left, ',') || !ReadNumber(text, b.top, ',') || !ReadNumber(text, b.right, ',') ||
        !ReadNumber(text, b.bottom, '\0'))
        return std::nullopt;
    if (b.width() <= 0 || b.height() <= 0)
        return std::nullopt;
    return out;
}

const platform::Monitor& FindMonitor(const std::vector<platform::Monitor>& monitors, const RememberedMonitor& wanted)
{
    for (const platform::Monitor& m : monitors)
        if (m.deviceName == wanted.deviceName && m.bounds == wanted.bounds)
            return m;
    if (!wanted.deviceName.empty())
        for (const platform::Monitor& m : monitors)
            if (m.deviceName == wanted.deviceName)
                return m;
    for (const platform::Monitor& m : monitors)
        if (m.bounds == wanted.bounds)
            return m;
    return monitors.front();
}

std::optional<RememberedMonitor> ReadRememberedMonitor(platform::Registry& registry)
{
    const auto key = platform::RegistryKey::open(
        registry, platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, platform::KeyAccess::Read);
    if (!key)
        return std::nullopt;
    const auto value = key.query(kMonitorValueName, kMaxTextBytes);
    if (!value || value->type != platform::kRegSz)
        return std::nullopt;
    // Stored with or without its terminating NUL.
    return ParseMonitorText(std::string_view(value->data).substr(0, value->data.find('\0')));
}

void WriteRememberedMonitor(platform::Registry& registry, const platform::Monitor& monitor)
{
    const auto key =
        platform::RegistryKey::create(registry, platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath);
    if (key)
        key.set(kMonitorValueName, {platform::kRegSz, MonitorText(monitor) + '\0'});
}

} // namespace bar
