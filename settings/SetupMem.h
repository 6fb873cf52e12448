#pragma once
// The bar's settings record and its store under HKEY_CURRENT_USER "Software\Brenwick\Tolvix":
// one REG_DWORD value per field, named as the field, written group by group and read back at
// start.
#include "platform/Registry.h"

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

struct Settings {
    // 0 general
    bool General_HideInTaskManager = false;
    bool General_DisableTaskManager = false;
    float General_RefreshInterval = 2; // seconds
    // 1 tasks (stored only)
    bool Tasks_EnableTaskManagement = false;
    bool Tasks_LearningMode = false;
    bool Tasks_BlockNew = false;
    // 2 memory
    float Mem_FreeUp = 64; // MB
    bool Mem_FreeUpAuto = false;
    float Mem_FreeUpIfBelow = 8; // MB
    // 3 alignment: index in the settings window's alignment list; -1 until one is chosen (stored
    // as 0, "off", which leaves a starting bar where it stands)
    float Align_Position = -1;
    // 4 infrared
    bool IR_EnableIRSupport = false;
    bool IR_LearningMode = false;
};

class SetupMem {
public:
    static constexpr const char* kKeyPath = "Software\\Brenwick\\Tolvix";
    static constexpr float kAllGroups = -1;

    explicit SetupMem(platform::Registry& registry)
        : registry_(registry)
    {
    }

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Writes one group (0 general, 1 tasks, 2 memory, 3 alignment, 4 infrared) or all of them
    // (-1). Any other group only opens (creating it if needed) and closes the key. Failures
    // are quiet: a value that cannot be set does not stop the others.
    void StoreSettings(float group);

    // Reads the stored values over the record; a value that is missing, or of another type,
    // size or layout, keeps the field as it was. Numbers are clamped to their ranges.
    void Load();
    // Whether the value of this name was read by Load or written since.
    bool stored(const char* name) const;

private:
    platform::Registry& registry_;
    Settings settings_;
    std::uint32_t stored_ = 0; // a bit per value, in the order they are written
};

} // namespace settings
