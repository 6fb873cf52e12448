#pragma once
// The settings window's rules as plain functions: what its number boxes accept, what the spin
// arrows do and how the pages stack.
#include "platform/Toolkit.h"

#include <optional>
#include <string>
#include <string_view>

namespace settings {

constexpr float kPageWidth = 3135;
// Tall enough for the fullest page, the general one.
constexpr float kPageHeight = 2535;
// Between two stacked pages.
constexpr float kPageGap = 30;
constexpr float kButtonBarHeight = 495;

// The whole number at the start of the text after leading blanks; nullopt when there is none.
// Saturates instead of overflowing.
std::optional<long> LeadingNumber(std::string_view text);

// Digits and backspace; a number box discards every other key.
bool IsNumberBoxKey(int characterCode);

// What a number box of min..max shows once the user changed it to `text`, or nullopt when the
// text stands: no leading number or one below min empties it, one above max becomes max, and
// anything but digits after the number (a paste) is dropped.
std::optional<std::string> ClippedNumberText(std::string_view text, int min, int max);

// The refresh interval after one spin arrow: up adds a second, down takes one away, and the
// result obeys the box's own rule (so down from "1" empties it).
std::string SpunIntervalText(std::string_view text, bool up);

// Where page `slot` of the shown ones stands (0 on top), and the client area around `pages`
// stacked pages and the button bar.
float PageTop(int slot);
ui::Size ClientSizeFor(int pages);

} // namespace settings
