#pragma once
// End-to-end cases of clicks on task buttons: the foreground highlight, switching, minimising
// and restoring with the left button, the task menu with the right.
#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/TestDesk.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

// Highlight of the foreground task, left clicks (posted and real). Needs Alpha and Charlie.
void CheckClicks(e2e::Report& report, const RunningBar& running, TestDesk& desk);
// A right click opens the task menu with "restore" as its default.
void CheckRightClick(e2e::Report& report, const RunningBar& running, Artifacts& artifacts);

} // namespace bar_probe
