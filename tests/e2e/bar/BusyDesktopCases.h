#pragma once
// End-to-end cases of a desktop with more windows than the bar has room for: 30 windows of the
// probe, each button reachable wholly inside the bar above its panel, by the scroll arrows.
#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckBusyDesktop(e2e::Report& report, const RunningBar& running, Artifacts& artifacts);

} // namespace bar_probe
