#pragma once
// A full-screen window in front on the bar's monitor puts the topmost bar behind it until it is
// minimised or closed; one on the other monitor leaves the bar on top.
#include <string>

#include "tests/e2e/common/Report.h"

namespace monitors_probe {

void CheckFullScreenWindows(e2e::Report& report, const std::string& tolvixExe);

} // namespace monitors_probe
