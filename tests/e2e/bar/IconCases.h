#pragma once
// End-to-end cases of the task buttons' icons: a window's own icon, and a hung window's.
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

void CheckIcons(e2e::Report& report, const RunningBar& running);

} // namespace bar_probe
