#pragma once
// Self-registration: the registry entries of the control class and its ProgIDs as one table,
// written by DllRegisterServer and removed, key by key, by DllUnregisterServer.
#include <windows.h>

#include <string>
#include <vector>

namespace dralith {

struct RegistryEntry {
    std::wstring key;         // below HKEY_CLASSES_ROOT
    const wchar_t* valueName; // nullptr = the key's default value; no value when data is null
    bool hasValue;
    std::wstring data; // REG_SZ
};

// Every key and value the server writes, parents before children.
std::vector<RegistryEntry> registrationTable(const std::wstring& modulePath);

} // namespace dralith
