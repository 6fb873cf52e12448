#include "platform/win32/Win32Registry.h"

#include "platform/win32/WinApi.h"

#include <algorithm>

namespace platform::win32 {

namespace {

HKEY rootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        break;
    }
    return HKEY_CURRENT_USER;
}

HKEY toHkey(KeyHandle key)
{
    return reinterpret_cast<HKEY>(key);
}

KeyHandle toKeyHandle(HKEY key)
{
    return reinterpret_cast<KeyHandle>(key);
}

// The longest value name the registry allows, in characters.
constexpr std::size_t kMaxValueName = 16383;

} // namespace

KeyHandle Win32Registry::openKey(RegistryRoot root, const std::string& path, KeyAccess access)
{
    const REGSAM sam = access == KeyAccess::All ? KEY_ALL_ACCESS : KEY_QUERY_VALUE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), path.c_str(), 0, sam, &key) != ERROR_SUCCESS)
        return 0;
    return toKeyHandle(key);
}

KeyHandle Win32Registry::createKey(RegistryRoot root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(rootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
            nullptr) != ERROR_SUCCESS)
        return 0;
    return toKeyHandle(key);
}

std::optional<RegistryValue> Win32Registry::queryValue(KeyHandle key, const std::string& name, std::size_t maxBytes)
{
    if (!key)
        return std::nullopt;
    // DWORD sizes: anything larger than that cannot be asked for in one call anyway.
    maxBytes = std::min<std::size_t>(maxBytes, 0x7FFFFFFF);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(maxBytes);
    RegistryValue value;
    // Small values (the ones read on every refresh) go through the stack, so that a value that
    // fits the string's own storage costs no allocation.
    char small[512];
    const bool onStack = maxBytes <= sizeof small;
    if (!onStack)
        value.data.resize(maxBytes);
    BYTE* buffer = reinterpret_cast<BYTE*>(onStack ? small : &value.data[0]);
    const LONG status = RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &type, buffer, &size);
    // ERROR_MORE_DATA: the value is longer than the caller accepts.
    if (status != ERROR_SUCCESS || size > maxBytes)
        return std::nullopt;
    value.type = type;
    if (onStack)
        value.data.assign(small, size);
    else
        value.data.resize(size);
    return value;
}

bool Win32Registry::setValue(KeyHandle key, const std::string& name, const RegistryValue& value)
{
    if (!key || value.data.size() > 0x7FFFFFFF)
        return false;
    return RegSetValueExA(toHkey(key), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
               static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

EnumStatus Win32Registry::enumValue(KeyHandle key, std::uint32_t index, std::size_t maxNameChars, std::string& name)
{
    if (!key)
        return EnumStatus::Failed;
    maxNameChars = std::min(maxNameChars, kMaxValueName);
    name.resize(maxNameChars + 1); // room for the NUL
    DWORD chars = static_cast<DWORD>(name.size());
    // Only the name: the data is never needed to walk a key.
    const LONG status = RegEnumValueA(toHkey(key), index, &name[0], &chars, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) {
        name.clear();
        return EnumStatus::NoMoreItems;
    }
    if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && chars > maxNameChars)) {
        name.clear();
        return EnumStatus::TooLong;
    }
    if (status != ERROR_SUCCESS) {
        name.clear();
        return EnumStatus::Failed;
    }
    name.resize(chars);
    return EnumStatus::Found;
}

void Win32Registry::closeKey(KeyHandle key)
{
    if (key)
        RegCloseKey(toHkey(key));
}

} // namespace platform::win32
