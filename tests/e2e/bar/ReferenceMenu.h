#pragma once
// Renders, in the probe's own process, a popup menu as the bar should show it (captions,
// separators, disabled entries, the bold default), so that the bar's real menu can be compared
// with it pixel by pixel: same platform, same fonts, same metrics.
#include <windows.h>

#include <vector>

#include "tests/e2e/bar/BarMenus.h"
#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

// Pops a menu of `entries` up with its top-left corner at `at` (entry `defaultIndex` bold, none
// when -1), captures it once it is fully drawn, and closes it. Empty image on failure.
e2e::Image RenderReferenceMenu(POINT at, const std::vector<MenuEntry>& entries, int defaultIndex);

// Captures a window's screen area once two captures 100 ms apart agree (it is fully drawn).
e2e::Image CaptureWhenSteady(HWND window, int timeoutMs);

} // namespace bar_probe
