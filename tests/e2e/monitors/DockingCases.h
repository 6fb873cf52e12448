#pragma once
// The bar docked on either monitor: at each docking entry of the alignment list it tucks away
// at that monitor's edges and comes out under the mouse (on the primary monitor with nothing
// stored, on the second with it stored); and the monitor it docks on is
// remembered in "Align_Monitor", used at start, and replaced by the primary one when it is gone.
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/Report.h"

namespace monitors_probe {

void CheckDockingPositions(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts);
void CheckRememberedMonitor(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts);

} // namespace monitors_probe
