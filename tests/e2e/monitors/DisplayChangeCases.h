#pragma once
// A docked, hidden bar follows a display change at once: a broadcast WM_DISPLAYCHANGE brings a
// moved bar back before the docking tick would. On the primary monitor, so that it holds apart
// from the remembered monitor.
#include <string>

#include "tests/e2e/common/Report.h"

namespace monitors_probe {

void CheckDisplayChanges(e2e::Report& report, const std::string& tolvixExe);

} // namespace monitors_probe
