#pragma once
// End-to-end cases of the task buttons between refresh ticks (window events and the glow tick's
// check): latencies of new, closed, renamed and activated windows, and a burst of 200 windows.
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckInstantButtons(e2e::Report& report, const RunningBar& running);

} // namespace bar_probe
