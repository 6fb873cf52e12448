#pragma once
// The settings window's pages, in the order they stack, and the group each one saves.
#include "settings/SettingsGroup.h"

namespace settings {

enum class SettingsPage { All = -1, General, Alignment, Memory, Infrared };

constexpr int kPageCount = 4;

// The page at the window's tab index (0 to 3); any other index asks for all of them.
constexpr SettingsPage PageAt(int index)
{
    return index >= 0 && index < kPageCount ? static_cast<SettingsPage>(index) : SettingsPage::All;
}
// The page's tab index, -1 for all of them.
constexpr int PageIndex(SettingsPage page)
{
    return static_cast<int>(page);
}

// The group "Save" writes with this page shown (all of them: every group).
constexpr SettingsGroup SavedGroupOf(SettingsPage page)
{
    switch (page) {
    case SettingsPage::General:
        return SettingsGroup::General;
    case SettingsPage::Alignment:
        return SettingsGroup::Alignment;
    case SettingsPage::Memory:
        return SettingsGroup::Memory;
    case SettingsPage::Infrared:
        return SettingsGroup::Infrared;
    default:
        return SettingsGroup::All;
    }
}

} // namespace settings
