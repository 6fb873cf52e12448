#pragma once
// A docked bar follows display changes at once: a broadcast WM_DISPLAYCHANGE brings a moved bar
// back before the docking tick would; it re-docks on a smaller area after the X side's work area
// shrank (the runner sets _NET_WORKAREA) and the change is broadcast, and after another program
// sets a new work area with SPIF_SENDCHANGE. On the primary monitor, so that they hold apart
// from the remembered monitor.
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/Report.h"

namespace monitors_probe {

void CheckDisplayChanges(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts);

} // namespace monitors_probe
