#pragma once
// "General_TasksOfBarMonitorOnly": task buttons only for the windows on the bar's monitor (a
// window on no monitor counts as the primary's), following windows and the bar between monitors.
#include <string>

#include "tests/e2e/common/Report.h"

namespace monitors_probe {

void CheckTasksOfBarMonitorOnly(e2e::Report& report, const std::string& tolvixExe);

} // namespace monitors_probe
