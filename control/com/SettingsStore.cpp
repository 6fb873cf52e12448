#include "control/com/SettingsStore.h"

#include "win32kit/Handles.h"
#include "control/core/ChoiceTextCodec.h"

namespace dralith {
namespace {

constexpr REGSAM kAllAccess = KEY_ALL_ACCESS; // 0xF003F

win32kit::UniqueRegKey openSettingsKey()
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, kAllAccess, &raw) != ERROR_SUCCESS)
        return win32kit::UniqueRegKey();
    return win32kit::UniqueRegKey(raw);
}

} // namespace

HRESULT loadSettings(const std::string& application, ControlState& state)
{
    win32kit::UniqueRegKey key = openSettingsKey();
    if (!key)
        return S_OK;
    const auto decoded = readStoredSettings([&](char* buffer, std::uint32_t& bytes) {
        DWORD size = bytes;
        const bool read = RegQueryValueExA(key.get(), application.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
        bytes = size;
        return read;
    });
    if (!decoded)
        return S_OK;
    return state.applySettings(*decoded) ? S_OK : E_INVALIDARG;
}

HRESULT saveSettings(const std::string& application, const ControlState& state)
{
    const auto text = encodeSettings(state.freeOnClick(), state.storedDisplayMode());
    if (!text)
        return E_INVALIDARG;
    HKEY raw = nullptr;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, emptyClass, 0, kAllAccess, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return S_OK;
    win32kit::UniqueRegKey key(raw);
    RegSetValueExA(key.get(), application.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
        static_cast<DWORD>(text->size() + 1));
    return S_OK;
}

void deleteSettings(const std::string& application)
{
    win32kit::UniqueRegKey key = openSettingsKey();
    if (key)
        RegDeleteValueA(key.get(), application.c_str());
}

std::string ansiFromBstr(BSTR text)
{
    if (!text || !*text)
        return std::string();
    const int length = static_cast<int>(SysStringLen(text));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], bytes, nullptr, nullptr);
    return result;
}

} // namespace dralith
