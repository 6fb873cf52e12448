#include "infrared/RemoteSwitch.h"

#include "infrared/ServerAddress.h"
#include "settings/SetupMem.h"

namespace infrared {

namespace {
constexpr const char* kSwitchName = "Infrared Remote";
constexpr const char* kServerName = "Infrared Server";
constexpr std::size_t kMaxServerBytes = 64;

std::optional<std::string> ReadText(platform::Registry& registry, const char* name, std::size_t maxBytes)
{
    auto key = platform::RegistryKey::open(
        registry, platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath, platform::KeyAccess::Read);
    if (!key)
        return std::nullopt;
    const auto value = key.query(name, maxBytes);
    if (!value || value->type != platform::kRegSz)
        return std::nullopt;
    // Stored with or without its terminating NUL.
    return value->data.substr(0, value->data.find('\0'));
}
} // namespace

std::optional<bool> ReadRemoteSwitch(platform::Registry& registry)
{
    const auto text = ReadText(registry, kSwitchName, 16);
    if (!text || text->empty() || (text->front() != '0' && text->front() != '1'))
        return std::nullopt;
    return text->front() == '1';
}

void WriteRemoteSwitch(platform::Registry& registry, bool on)
{
    auto key =
        platform::RegistryKey::create(registry, platform::RegistryRoot::CurrentUser, settings::SetupMem::kKeyPath);
    if (key)
        key.set(kSwitchName, {platform::kRegSz, std::string(on ? "1" : "0") + '\0'});
}

std::string ReadServerText(platform::Registry& registry)
{
    const auto text = ReadText(registry, kServerName, kMaxServerBytes);
    return text && ParseServerAddress(*text) ? *text : kDefaultServer;
}

} // namespace infrared
