#pragma once
// The bar's settings record and its store under HKEY_CURRENT_USER "Software\Brenwick\Tolvix":
// one REG_DWORD value per row of the settings table, named as the field, written group by group
// and read back at start.
#include "platform/Registry.h"
#include "settings/Settings.h"
#include "settings/SettingsGroup.h"
#include "settings/SettingsTable.h"

#include <bitset>

namespace settings {

class SetupMem {
public:
    static constexpr const char* kKeyPath = "Software\\Brenwick\\Tolvix";

    explicit SetupMem(platform::Registry& registry)
        : registry_(registry)
    {
    }

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Writes one group or all of them. Any other group only opens (creating it if needed) and
    // closes the key. Failures are quiet: a value that cannot be set does not stop the others.
    void StoreSettings(SettingsGroup group);

    // Reads the stored values over the record; a value that is missing, or of another type,
    // size or layout, keeps the field as it was. Numbers are clamped to their ranges.
    void Load();
    // Whether the value of this name was read by Load or written since.
    bool stored(const char* name) const;

private:
    platform::Registry& registry_;
    Settings settings_;
    std::bitset<kSettingCount> stored_; // by row of the settings table
};

} // namespace settings
