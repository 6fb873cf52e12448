#pragma once
// The groups the settings are stored in: a save writes one of them, or all.
namespace settings {

enum class SettingsGroup { All = -1, General, Tasks, Memory, Alignment, Infrared };

// Whether what is saved or shown as `saved` takes in the settings of group g.
constexpr bool Covers(SettingsGroup saved, SettingsGroup g)
{
    return saved == SettingsGroup::All || saved == g;
}

} // namespace settings
