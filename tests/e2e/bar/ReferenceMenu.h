#pragma once
// Renders, in the probe's own process, the popup menu the bar should show for a refused close
// (four entries, the last one the bold default), so that the bar's real menu can be compared
// with it pixel by pixel: same platform, same fonts, same metrics.
#include <windows.h>

#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

// Pops the reference menu up with its top-left corner at `at`, captures it once it is fully
// drawn, and closes it. Empty image on failure.
e2e::Image RenderReferenceQuitMenu(POINT at);

// Captures a window's screen area once two captures 100 ms apart agree (it is fully drawn).
e2e::Image CaptureWhenSteady(HWND window, int timeoutMs);

} // namespace bar_probe
