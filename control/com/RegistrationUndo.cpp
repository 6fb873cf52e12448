#include "control/com/RegistrationUndo.h"

#include <utility>

#include "win32kit/Handles.h"

namespace dralith {

void RegistrationUndo::keyCreated(const std::wstring& key)
{
    changes_.push_back(Change {key, true, {}, false, false, 0, {}});
}

void RegistrationUndo::valueWritten(HKEY key, const std::wstring& keyName, const wchar_t* valueName)
{
    Change change {keyName, false, valueName ? valueName : L"", valueName == nullptr, false, 0, {}};
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName, nullptr, &change.type, nullptr, &size) == ERROR_SUCCESS) {
        change.previous.resize(size);
        change.existed =
            RegQueryValueExW(key, valueName, nullptr, &change.type, change.previous.data(), &size) == ERROR_SUCCESS;
        change.previous.resize(size);
    }
    changes_.push_back(std::move(change));
}

void RegistrationUndo::rollBack()
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        if (change->keyCreated) {
            RegDeleteKeyW(HKEY_CLASSES_ROOT, change->key.c_str()); // children were deleted before it
            continue;
        }
        HKEY raw = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, change->key.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS)
            continue;
        const win32kit::UniqueRegKey key(raw);
        const wchar_t* name = change->defaultValue ? nullptr : change->valueName.c_str();
        if (change->existed)
            RegSetValueExW(
                key.get(), name, 0, change->type, change->previous.data(), static_cast<DWORD>(change->previous.size()));
        else
            RegDeleteValueW(key.get(), name);
    }
    changes_.clear();
}

} // namespace dralith
