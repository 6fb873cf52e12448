#pragma once
// The stored settings, one row each: the value's name, its group, the record's field, the range
// a number is clamped into when read back, and the settings window's control that shows and
// edits it. The store, the settings window and the tests walk these rows, so a new setting is a
// field of the record and a row here.
#include "settings/Settings.h"
#include "settings/SettingsGroup.h"
#include "settings/SettingsIds.h"

#include <cstddef>
#include <iterator>

namespace settings {

// The row's setting has no control of its own on the settings window.
constexpr int kNoControl = 0;

struct SettingRow {
    const char* valueName; // a REG_DWORD under SetupMem::kKeyPath
    SettingsGroup group;
    bool Settings::*flag;    // a flag's field, or null
    float Settings::*number; // a number's field, or null
    NumberRange range;       // a number's; a flag's is unused
    // A check box for a flag, a number box for a number, or kNoControl; for a choice, the first of
    // its check boxes.
    int control;
    // A number chosen among range.min to range.max by as many check boxes, control + k checked for
    // the value range.min + k, one at a time; false for a number typed into a box.
    bool choice = false;
};

constexpr SettingRow Flag(const char* valueName, SettingsGroup group, bool Settings::*field, int control)
{
    return {valueName, group, field, nullptr, kAnyStoredNumber, control};
}

constexpr SettingRow Number(
    const char* valueName, SettingsGroup group, float Settings::*field, NumberRange range, int control)
{
    return {valueName, group, nullptr, field, range, control};
}

constexpr SettingRow Choice(
    const char* valueName, SettingsGroup group, float Settings::*field, NumberRange range, int firstControl)
{
    return {valueName, group, nullptr, field, range, firstControl, true};
}

// The number of check boxes a choice row shows.
constexpr int ChoiceCount(const SettingRow& row)
{
    return row.range.max - row.range.min + 1;
}

// Group by group, in the order the values are written.
inline constexpr SettingRow kSettingsTable[] = {
    Flag(
        "General_HideInTaskManager", SettingsGroup::General, &Settings::General_HideInTaskManager, settings_ids::HTASK),
    Flag("General_DisableTaskManager", SettingsGroup::General, &Settings::General_DisableTaskManager,
        settings_ids::NOTASKM),
    Number("General_RefreshInterval", SettingsGroup::General, &Settings::General_RefreshInterval, kIntervalRange,
        settings_ids::RefInterval),
    Flag("General_TasksOfBarMonitorOnly", SettingsGroup::General, &Settings::General_TasksOfBarMonitorOnly,
        settings_ids::MONTASKS),
    Flag("General_TaskNeighbours", SettingsGroup::General, &Settings::General_TaskNeighbours, settings_ids::TASKNB),
    Choice("General_MiddleClick", SettingsGroup::General, &Settings::General_MiddleClick, kMiddleClickRange,
        settings_ids::MCLICK_0),
    Flag("General_NotificationArea", SettingsGroup::General, &Settings::General_NotificationArea, settings_ids::TRAYON),
    Flag("Tasks_EnableTaskManagement", SettingsGroup::Tasks, &Settings::Tasks_EnableTaskManagement, kNoControl),
    Flag("Tasks_LearningMode", SettingsGroup::Tasks, &Settings::Tasks_LearningMode, kNoControl),
    Flag("Tasks_BlockNew", SettingsGroup::Tasks, &Settings::Tasks_BlockNew, kNoControl),
    Number("Mem_FreeUp", SettingsGroup::Memory, &Settings::Mem_FreeUp, kFreeUpRange, settings_ids::AUTOMEMAX),
    Flag("Mem_FreeUpAuto", SettingsGroup::Memory, &Settings::Mem_FreeUpAuto, settings_ids::AUTOMEMCHECK),
    Number("Mem_FreeUpIfBelow", SettingsGroup::Memory, &Settings::Mem_FreeUpIfBelow, kThresholdRange,
        settings_ids::AUTOMEMIN),
    // A list entry rather than a number to clamp; the window's list shows it.
    Number("Align_Position", SettingsGroup::Alignment, &Settings::Align_Position, kAnyStoredNumber, kNoControl),
    Flag("IR_EnableIRSupport", SettingsGroup::Infrared, &Settings::IR_EnableIRSupport, settings_ids::MUSE),
    Flag("IR_LearningMode", SettingsGroup::Infrared, &Settings::IR_LearningMode, settings_ids::LRNM),
};

constexpr std::size_t kSettingCount = std::size(kSettingsTable);

} // namespace settings
