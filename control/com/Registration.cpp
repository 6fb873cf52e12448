#include "control/com/Registration.h"

#include <olectl.h>

#include "control/com/ComPtr.h"
#include "control/com/Dralith_h.h"
#include "control/com/Guarded.h"
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

HRESULT registerTypeLibrary(const std::wstring& modulePath)
{
    com::ComPtr<ITypeLib> library;
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
    return dralith::guarded([] {
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
    return dralith::guarded([] {
        HRESULT keys = dralith::removeKeys(dralith::registrationTable(dralith::module::pathW()));
        HRESULT library = dralith::unregisterTypeLibrary();
        return FAILED(keys) ? keys : library;
    });
}
