#pragma once
// The property rules of one control instance, with no window behind them: the COM shell reads
// and writes these and mirrors the results (menu entries, label, timer) onto its real objects.
#include <array>
#include <cstddef>
#include <cstdint>

#include "control/core/Enumerations.h"
#include "control/core/ChoiceTextCodec.h"

namespace dralith {

// Automation booleans: true is -1, any non-zero value counts as true.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

constexpr float kInitialDataLength = 32.0f;
constexpr std::int32_t kInitialInterval = 500; // ms

// Which entries of the right-click menu carry a check mark.
struct MenuChecks {
    std::array<bool, kDisplayModeCount> displayMode {}; // MD(0)..MD(6)
    bool freeOnClick = false;                           // MCLKONFREE
};

// Visibility and enabled state of the menu entries the properties control.
struct MenuEntries {
    bool displayVisible = true;     // MDPMODE and the separator MX0
    bool displayEnabled = true;     // MDPMODE
    bool multiLineVisible = true;   // MD(3)..MD(6)
    bool multiLineEnabled = true;   // MD(3)..MD(6)
    bool freeOnClickVisible = true; // MCLKONFREE and the separator MX1
    bool freeOnClickEnabled = true; // MCLKONFREE
};

class ControlState {
public:
    // FreeOnClickEnabled: stored as given; any non-zero value is on.
    std::int16_t freeOnClick() const { return freeOnClick_; }
    void setFreeOnClick(std::int16_t value) { freeOnClick_ = value; }
    bool freeOnClickOn() const { return freeOnClick_ != 0; }
    // Menu MCLKONFREE: logical toggle (on -> 0, off -> -1).
    void toggleFreeOnClick();

    // DisplayMode property write: stores the value as given and shows the label unless it is 0.
    void setDisplayMode(float mode);
    // Menu MD(index) chosen: display mode := index; the label's visibility stays.
    void chooseDisplayModeEntry(int index);
    // DisplayMode read: the stored value rounded half-to-even (clipped to a Long).
    std::int32_t displayMode() const;
    // The value as stored (the display texts use it: non-whole values show no text).
    float storedDisplayMode() const { return displayMode_; }
    bool labelVisible() const { return labelVisible_; }

    // DataLength write: whole part, stored only if greater than 7; otherwise ignored.
    void setDataLength(float value);
    float dataLength() const { return dataLength_; }
    // Samples the history may keep (the data length, clipped to INT32_MAX).
    std::size_t historyLimit() const;

    // Menu properties; hiding or disabling some entries also changes the display mode.
    void setMenuDisplayVisible(bool visible) { menu_.displayVisible = visible; }
    void setMenuDisplayEnabled(bool enabled);          // false also sets the display mode to 0
    void setMenuDisplayMultiLineVisible(bool visible); // false: mode > 2 becomes 2 if it was 4, else 1
    void setMenuDisplayMultiLineEnabled(bool enabled); // the same change of the mode
    void setMenuFreeOnClickVisible(bool visible) { menu_.freeOnClickVisible = visible; }
    void setMenuFreeOnClickEnabled(bool enabled) { menu_.freeOnClickEnabled = enabled; }
    const MenuEntries& menu() const { return menu_; }

    // Check marks for a right click: MD(rounded display mode) when that lies in 0..6, none of
    // the MD entries otherwise; MCLKONFREE when free-on-click is on.
    MenuChecks rightClickChecks() const;

    // Enabled: whether the refresh timer runs.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    // Interval write: rounded half-to-even. Refused (false, nothing changes) when the result is
    // negative, not a number, or above INT32_MAX. 0 keeps the timer from ticking.
    bool setInterval(float milliseconds);
    std::int32_t interval() const { return interval_; }
    bool timerRuns() const { return enabled_ && interval_ > 0; }

    // Surface properties; values other than the enumeration's are refused (false).
    bool setBorderStyle(std::int32_t style);
    BStyle borderStyle() const { return borderStyle_; }
    bool setAppearance(std::int32_t appearance);
    FApp appearance() const { return appearance_; }

    // LoadSettings: applies what was valid in the stored text (free-on-click as -1 / 0);
    // returns false when the text was too short (the caller answers E_INVALIDARG).
    bool applySettings(const DecodedSettings& settings);

private:
    void narrowToSingleLineMode();

    std::int16_t freeOnClick_ = kFalse;
    float displayMode_ = 0.0f;
    float dataLength_ = kInitialDataLength;
    bool labelVisible_ = true;
    MenuEntries menu_;
    bool enabled_ = true;
    std::int32_t interval_ = kInitialInterval;
    BStyle borderStyle_ = BStyle::None;
    FApp appearance_ = FApp::Flat;
};

} // namespace dralith
