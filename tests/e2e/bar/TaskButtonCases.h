#pragma once
// End-to-end cases of the task buttons: what appears for which window, in which order, and
// what a click does.
#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/TestDesk.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

// Topmost style, the designed layout without a logo.
void CheckBarBasics(e2e::Report& report, const RunningBar& running);
// Creates Alpha, Bravo, Charlie; closes Bravo and opens Delta.
void CheckButtonOrder(e2e::Report& report, const RunningBar& running, TestDesk& desk);
// Tool window, owned popup, owned app window, untitled and long-titled windows; then the whole
// button list against the probe's own reading of the desktop.
void CheckTaskFilter(e2e::Report& report, const RunningBar& running, TestDesk& desk);
// Highlight of the foreground task, left clicks (posted and real).
void CheckClicks(e2e::Report& report, const RunningBar& running, TestDesk& desk);
// A right click opens the task menu with "restore" as its default.
void CheckRightClick(e2e::Report& report, const RunningBar& running, Artifacts& artifacts);

} // namespace bar_probe
