#pragma once
// Renders, in the probe's own process, a popup menu as the bar should show it (captions,
// separators, disabled entries, the bold default), so that the bar's real menu can be compared
// with it pixel by pixel: same platform, same fonts, same metrics.
#include <windows.h>

#include <vector>

#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

struct MenuEntry {
    enum class Kind { Normal, Disabled, Separator, Submenu };
    const char* text;
    Kind kind;
};

// Pops a menu of `entries` up with its top-left corner at `at` (entry `defaultIndex` bold, none
// when -1), captures it once it is fully drawn, and closes it. Empty image on failure.
e2e::Image RenderReferenceMenu(POINT at, const std::vector<MenuEntry>& entries, int defaultIndex);

// The quit menu: "quit", "log off", "restart", "shut down".
std::vector<MenuEntry> QuitMenuEntries();
constexpr int kQuitMenuDefault = 3;
// The task menu: "restore" (the default) to "close", with the "advanced" submenu.
std::vector<MenuEntry> TaskMenuEntries();
constexpr int kTaskMenuDefault = 0;

// Captures a window's screen area once two captures 100 ms apart agree (it is fully drawn).
e2e::Image CaptureWhenSteady(HWND window, int timeoutMs);

} // namespace bar_probe
