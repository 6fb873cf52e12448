#pragma once
// End-to-end cases of how the bar ends: Alt+F4 is refused with the quit menu, a close request
// from another program is granted.
#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

enum class CloseGesture {
    SystemCommand, // WM_SYSCOMMAND SC_CLOSE, what the window menu and Alt+F4 turn into
    AltF4Keys,     // real Alt+F4 key presses while the bar is the foreground window
};

void CheckAltF4(e2e::Report& report, const RunningBar& running, Artifacts& artifacts, CloseGesture gesture);
void CheckCloseFromAnotherProgram(e2e::Report& report, RunningBar& running);

} // namespace bar_probe
