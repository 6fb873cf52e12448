#include "settings/SetupMem.h"

#include "settings/DwordValueCodec.h"

#include <algorithm>
#include <cstring>

namespace settings {
namespace {

constexpr bool SameName(const char* a, const char* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Each value is written from, and read into, one field of the record.
constexpr bool EveryRowHasOneFieldAndItsOwnName()
{
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        if (!kSettingsTable[i].flag == !kSettingsTable[i].number)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (SameName(kSettingsTable[i].valueName, kSettingsTable[j].valueName))
                return false;
    }
    return true;
}
static_assert(EveryRowHasOneFieldAndItsOwnName(), "a settings row with no field, two, or a name used before");

} // namespace

void SetupMem::StoreSettings(SettingsGroup group)
{
    auto key = platform::RegistryKey::create(registry_, platform::RegistryRoot::CurrentUser, kKeyPath);
    if (!key)
        return;
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const SettingRow& row = kSettingsTable[i];
        if (!Covers(group, row.group))
            continue;
        std::string bytes = row.flag ? encodeFlag(settings_.*(row.flag)) : encodeNumber(settings_.*(row.number));
        if (key.set(row.valueName, {platform::kRegDword, std::move(bytes)}))
            stored_.set(i);
    }
}

bool SetupMem::stored(const char* name) const
{
    for (std::size_t i = 0; i < kSettingCount; ++i)
        if (std::strcmp(kSettingsTable[i].valueName, name) == 0)
            return stored_.test(i);
    return false;
}

void SetupMem::Load()
{
    auto key = platform::RegistryKey::open(
        registry_, platform::RegistryRoot::CurrentUser, kKeyPath, platform::KeyAccess::Read);
    if (!key)
        return;
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const SettingRow& row = kSettingsTable[i];
        const auto value = key.query(row.valueName, kValueBytes);
        if (!value)
            continue;
        if (row.flag) {
            if (auto flag = decodeFlag(*value)) {
                settings_.*(row.flag) = *flag;
                stored_.set(i);
            }
        } else if (auto number = decodeNumber(*value)) {
            settings_.*(row.number) =
                std::clamp(*number, static_cast<float>(row.range.min), static_cast<float>(row.range.max));
            stored_.set(i);
        }
    }
}

} // namespace settings
