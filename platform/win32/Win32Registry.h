#pragma once
// The registry through advapi32. Keys only read are opened with query access alone, so reading
// works for users without write rights.
#include "platform/Registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
public:
    KeyHandle openKey(RegistryRoot root, const std::string& path, KeyAccess access) override;
    KeyHandle createKey(RegistryRoot root, const std::string& path) override;
    std::optional<RegistryValue> queryValue(KeyHandle key, const std::string& name, std::size_t maxBytes) override;
    bool setValue(KeyHandle key, const std::string& name, const RegistryValue& value) override;
    // Reuses name's storage, so enumerating many values does not allocate for each.
    EnumStatus enumValue(KeyHandle key, std::uint32_t index, std::size_t maxNameChars, std::string& name) override;
    void closeKey(KeyHandle key) override;
};

} // namespace platform::win32
