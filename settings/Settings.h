#pragma once
// The bar's settings record, and the ranges the settings window allows for its numbers.
namespace settings {

// What the settings window lets the user choose for the numbers; values read back at start are
// clamped into these ranges, so that a record written by hand or by another version cannot make
// the bar free up everything or spin.
struct NumberRange {
    int min, max;
};
constexpr NumberRange kIntervalRange {1, 15};      // seconds
constexpr NumberRange kFreeUpRange {1, 4095};      // MB
constexpr NumberRange kThresholdRange {0, 127};    // MB
constexpr NumberRange kAnyStoredNumber {0, 65535}; // what the layout holds
constexpr NumberRange kMiddleClickRange {0, 2};    // close, start another copy, nothing

// A field per stored value, named as the value; settings/SettingsTable.h gives each its group.
struct Settings {
    // general
    bool General_HideInTaskManager = false;
    bool General_DisableTaskManager = false;
    float General_RefreshInterval = 2; // seconds
    // task buttons only for the windows on the bar's monitor
    bool General_TasksOfBarMonitorOnly = false;
    // the task buttons of one program side by side
    bool General_TaskNeighbours = false;
    // what a middle click on a task button does: 0 close the window, 1 start another copy of its
    // program, 2 nothing
    float General_MiddleClick = 0;
    // the notification area: other programs' icons on the bar
    bool General_NotificationArea = true;
    // tasks (stored only)
    bool Tasks_EnableTaskManagement = false;
    bool Tasks_LearningMode = false;
    bool Tasks_BlockNew = false;
    // memory
    float Mem_FreeUp = 64; // MB
    bool Mem_FreeUpAuto = false;
    float Mem_FreeUpIfBelow = 8; // MB
    // alignment: index in the settings window's alignment list; -1 until one is chosen (stored
    // as 0, "off", which leaves a starting bar where it stands)
    float Align_Position = -1;
    // infrared
    bool IR_EnableIRSupport = false;
    bool IR_LearningMode = false;
};

} // namespace settings
