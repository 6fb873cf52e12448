#pragma once
// End-to-end cases of the bar's window and layout: topmost, size, panel, and where the
// task buttons start without a logo.
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckBarBasics(e2e::Report& report, const RunningBar& running);

} // namespace bar_probe
