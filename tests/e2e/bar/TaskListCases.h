#pragma once
// End-to-end cases of the task list: which windows get buttons, and in which order.
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/TestDesk.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

// Creates Alpha, Bravo, Charlie; closes Bravo and opens Delta.
void CheckButtonOrder(e2e::Report& report, const RunningBar& running, TestDesk& desk);
// Tool window, owned popup, owned app window, untitled and long-titled windows; then the whole
// button list against the probe's own reading of the desktop.
void CheckTaskFilter(e2e::Report& report, const RunningBar& running, TestDesk& desk);

} // namespace bar_probe
