#include "settings/SetupMem.h"

#include "settings/SettingsCodec.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace settings {
namespace {

struct Field {
    const char* name;
    int group;
    bool Settings::*flag;
    float Settings::*number;
    NumberRange range = kAnyStoredNumber;
};

// Group by group, in the order the values are written.
const Field kFields[] = {
    {"General_HideInTaskManager", 0, &Settings::General_HideInTaskManager, nullptr},
    {"General_DisableTaskManager", 0, &Settings::General_DisableTaskManager, nullptr},
    {"General_RefreshInterval", 0, nullptr, &Settings::General_RefreshInterval, kIntervalRange},
    {"Tasks_EnableTaskManagement", 1, &Settings::Tasks_EnableTaskManagement, nullptr},
    {"Tasks_LearningMode", 1, &Settings::Tasks_LearningMode, nullptr},
    {"Tasks_BlockNew", 1, &Settings::Tasks_BlockNew, nullptr},
    {"Mem_FreeUp", 2, nullptr, &Settings::Mem_FreeUp, kFreeUpRange},
    {"Mem_FreeUpAuto", 2, &Settings::Mem_FreeUpAuto, nullptr},
    {"Mem_FreeUpIfBelow", 2, nullptr, &Settings::Mem_FreeUpIfBelow, kThresholdRange},
    {"Align_Position", 3, nullptr, &Settings::Align_Position},
    {"IR_EnableIRSupport", 4, &Settings::IR_EnableIRSupport, nullptr},
    {"IR_LearningMode", 4, &Settings::IR_LearningMode, nullptr},
};

} // namespace

void SetupMem::StoreSettings(float group)
{
    auto key = platform::RegistryKey::create(registry_, platform::RegistryRoot::CurrentUser, kKeyPath);
    if (!key)
        return;
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        const Field& field = kFields[i];
        if (group != kAllGroups && group != static_cast<float>(field.group))
            continue;
        std::string bytes = field.flag ? encodeFlag(settings_.*(field.flag)) : encodeNumber(settings_.*(field.number));
        if (key.set(field.name, {platform::kRegDword, std::move(bytes)}))
            stored_ |= 1u << i;
    }
}

bool SetupMem::stored(const char* name) const
{
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        if (std::strcmp(kFields[i].name, name) == 0)
            return (stored_ >> i & 1u) != 0;
    return false;
}

void SetupMem::Load()
{
    auto key = platform::RegistryKey::open(
        registry_, platform::RegistryRoot::CurrentUser, kKeyPath, platform::KeyAccess::Read);
    if (!key)
        return;
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        const Field& field = kFields[i];
        const auto value = key.query(field.name, kValueBytes);
        if (!value)
            continue;
        if (field.flag) {
            if (auto flag = decodeFlag(*value)) {
                settings_.*(field.flag) = *flag;
                stored_ |= 1u << i;
            }
        } else if (auto number = decodeNumber(*value)) {
            settings_.*(field.number) =
                std::clamp(*number, static_cast<float>(field.range.min), static_cast<float>(field.range.max));
            stored_ |= 1u << i;
        }
    }
}

} // namespace settings
