#include "settings/HotKeySetting.h"

#include "settings/SetupMem.h"

namespace settings {

bool ReadHotKeySetting(platform::Registry& registry)
{
    auto key = platform::RegistryKey::open(
        registry, platform::RegistryRoot::CurrentUser, SetupMem::kKeyPath, platform::KeyAccess::Read);
    if (!key)
        return true;
    const auto value = key.query(kHotKeyValueName, 4);
    // Anything but a stored 0 (a missing value, another type, a short one) leaves it on.
    if (!value || value->type != platform::kRegDword || value->data.size() != 4)
        return true;
    return value->data != std::string(4, '\0');
}

bool WriteHotKeySetting(platform::Registry& registry, bool on)
{
    auto key = platform::RegistryKey::create(registry, platform::RegistryRoot::CurrentUser, SetupMem::kKeyPath);
    if (!key)
        return false;
    std::string bytes(4, '\0');
    bytes[0] = on ? 1 : 0;
    return key.set(kHotKeyValueName, {platform::kRegDword, std::move(bytes)});
}

} // namespace settings
