#include "control/com/Registration.h"

#include <olectl.h>

#include <optional>
#include <vector>

#include "win32kit/ComPtr.h"
#include "control/com/Dralith_h.h"
#include "win32kit/Guarded.h"
#include "control/com/Identifiers.h"
#include "control/com/Module.h"
#include "control/com/RegistrationUndo.h"
#include "win32kit/Handles.h"

namespace dralith {
namespace {

std::wstring guidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

RegistryEntry key(std::wstring name)
{
    return RegistryEntry {std::move(name), nullptr, false, {}};
}
RegistryEntry value(std::wstring name, const wchar_t* valueName, std::wstring data)
{
    return RegistryEntry {std::move(name), valueName, true, std::move(data)};
}

LSTATUS writeEntry(const RegistryEntry& entry, RegistrationUndo& undo)
{
    HKEY raw = nullptr;
    DWORD disposition = 0;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
        KEY_READ | KEY_WRITE, nullptr, &raw, &disposition);
    if (status != ERROR_SUCCESS)
        return status;
    win32kit::UniqueRegKey owned(raw);
    if (disposition == REG_CREATED_NEW_KEY)
        undo.keyCreated(entry.key); // its values go with it
    if (!entry.hasValue)
        return ERROR_SUCCESS;
    if (disposition != REG_CREATED_NEW_KEY)
        undo.valueWritten(owned.get(), entry.key, entry.valueName);
    const DWORD bytes = static_cast<DWORD>((entry.data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(
        owned.get(), entry.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.data.c_str()), bytes);
}

// Removes the keys of the table, children first; a key that is already gone counts as removed.
HRESULT removeKeys(const std::vector<RegistryEntry>& table)
{
    HRESULT result = S_OK;
    std::vector<std::wstring> removed;
    for (auto entry = table.rbegin(); entry != table.rend(); ++entry) {
        bool seen = false;
        for (const auto& done : removed)
            seen = seen || done == entry->key;
        if (seen)
            continue;
        removed.push_back(entry->key);
        LSTATUS status = RegDeleteKeyW(HKEY_CLASSES_ROOT, entry->key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            result = SELFREG_E_CLASS;
    }
    return result;
}

// The default value of a key below HKEY_CLASSES_ROOT, environment strings expanded; nothing when
// the key or the value is missing or holds no text.
std::optional<std::wstring> registeredPath(const std::wstring& keyName)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return std::nullopt;
    const win32kit::UniqueRegKey key(raw);
    // A path is at most 32,767 characters; a longer value is no path of this DLL.
    std::vector<wchar_t> text(32768);
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring path(text.data(), wcsnlen(text.data(), bytes / sizeof(wchar_t)));
    if (type == REG_EXPAND_SZ) {
        std::vector<wchar_t> expanded(32768);
        const DWORD length = ExpandEnvironmentStringsW(path.c_str(), expanded.data(), 32768);
        if (length == 0 || length > expanded.size())
            return std::nullopt;
        path = expanded.data();
    }
    return path;
}

// The same file: compared without regard to case, after quotes are taken off and short (8.3)
// names made long, as another registrar may have written the path.
bool sameFile(std::wstring registered, const std::wstring& modulePath)
{
    if (registered.size() >= 2 && registered.front() == L'"' && registered.back() == L'"')
        registered = registered.substr(1, registered.size() - 2);
    const auto longForm = [](const std::wstring& path) {
        std::vector<wchar_t> buffer(32768);
        const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : path;
    };
    return lstrcmpiW(longForm(registered).c_str(), longForm(modulePath).c_str()) == 0;
}

// True unless the key's default value names another file: a copy of the DLL elsewhere that was
// registered after this one owns the registration, and unregistering this copy leaves it alone.
bool registeredToThisCopy(const std::wstring& keyName, const std::wstring& modulePath)
{
    const auto path = registeredPath(keyName);
    return !path || sameFile(*path, modulePath);
}

std::wstring typeLibraryPathKey()
{
#ifdef _WIN64
    const wchar_t* platform = L"win64";
#else
    const wchar_t* platform = L"win32";
#endif
    wchar_t locale[16] = {};
    wsprintfW(locale, L"%x", static_cast<unsigned>(ids::kTypeLibraryLcid));
    return L"TypeLib\\" + guidText(LIBID_Pellgrove) + L"\\" + ids::kTypeLibraryVersion + L"\\" + locale + L"\\" +
        platform;
}

HRESULT registerTypeLibrary(const std::wstring& modulePath)
{
    win32kit::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr))
        return hr;
    std::wstring path = modulePath; // some SDKs declare the path non-const
    return RegisterTypeLib(library.get(), &path[0], nullptr);
}

HRESULT unregisterTypeLibrary()
{
#ifdef _WIN64
    const SYSKIND kind = SYS_WIN64;
#else
    const SYSKIND kind = SYS_WIN32;
#endif
    HRESULT hr =
        UnRegisterTypeLib(LIBID_Pellgrove, ids::kTypeLibraryMajor, ids::kTypeLibraryMinor, ids::kTypeLibraryLcid, kind);
    if (SUCCEEDED(hr))
        return S_OK;
    // Already gone (never registered or removed before) is what unregistering asks for.
    HKEY raw = nullptr;
    const std::wstring libraryKey = L"TypeLib\\" + guidText(LIBID_Pellgrove);
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, libraryKey.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return S_OK;
    RegCloseKey(raw);
    return SELFREG_E_TYPELIB;
}

} // namespace

std::vector<RegistryEntry> registrationTable(const std::wstring& modulePath)
{
    const std::wstring clsidKey = L"CLSID\\" + guidText(CLSID_DralithCTL);
    const std::wstring clsid = guidText(CLSID_DralithCTL);
    const std::wstring progId = ids::kProgId;
    const std::wstring independentProgId = ids::kVersionIndependentProgId;
    return {
        value(clsidKey, nullptr, ids::kClassName),
        value(clsidKey + L"\\InprocServer32", nullptr, modulePath),
        value(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
        value(clsidKey + L"\\ProgID", nullptr, progId),
        value(clsidKey + L"\\VersionIndependentProgID", nullptr, independentProgId),
        key(clsidKey + L"\\Control"),
        value(clsidKey + L"\\MiscStatus", nullptr, L"0"),
        value(clsidKey + L"\\MiscStatus\\1", nullptr, std::to_wstring(ids::kMiscStatus)),
        value(clsidKey + L"\\TypeLib", nullptr, guidText(LIBID_Pellgrove)),
        value(clsidKey + L"\\Version", nullptr, ids::kTypeLibraryVersion),
        // Form editors show this picture (resource 2 of dralith.rc, 16 x 15) in their toolbox.
        value(clsidKey + L"\\ToolboxBitmap32", nullptr, modulePath + L", 2"),
        value(progId, nullptr, ids::kClassName),
        value(progId + L"\\CLSID", nullptr, clsid),
        value(independentProgId, nullptr, ids::kClassName),
        value(independentProgId + L"\\CLSID", nullptr, clsid),
        value(independentProgId + L"\\CurVer", nullptr, progId),
    };
}

} // namespace dralith

STDAPI DllRegisterServer()
{
    return win32kit::guarded([] {
        const std::wstring path = dralith::module::pathW();
        const auto table = dralith::registrationTable(path);
        dralith::RegistrationUndo undo;
        for (const auto& entry : table) {
            if (dralith::writeEntry(entry, undo) != ERROR_SUCCESS) {
                undo.rollBack();
                return SELFREG_E_CLASS;
            }
        }
        if (FAILED(dralith::registerTypeLibrary(path))) {
            undo.rollBack();
            return SELFREG_E_TYPELIB;
        }
        return S_OK;
    });
}

STDAPI DllUnregisterServer()
{
    return win32kit::guarded([] {
        const std::wstring path = dralith::module::pathW();
        const auto table = dralith::registrationTable(path);
        const std::wstring serverKey = L"CLSID\\" + dralith::guidText(CLSID_DralithCTL) + L"\\InprocServer32";
        HRESULT keys = S_OK;
        if (dralith::registeredToThisCopy(serverKey, path))
            keys = dralith::removeKeys(table);
        HRESULT library = S_OK;
        if (dralith::registeredToThisCopy(dralith::typeLibraryPathKey(), path))
            library = dralith::unregisterTypeLibrary();
        return FAILED(keys) ? keys : library;
    });
}
