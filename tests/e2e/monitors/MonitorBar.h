#pragma once
// Shared tools of the two-monitor cases: the remembered-monitor value, the mouse parked away
// from every docked place, a bar started on a prepared registry, and waits for its place.
#include <windows.h>

#include <memory>
#include <string>

#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/Report.h"
#include "tests/e2e/monitors/MonitorLayout.h"

namespace monitors_probe {

constexpr const char* kMonitorValue = "Align_Monitor";

// "<device>|<left>,<top>,<right>,<bottom>", as the bar stores its monitor.
std::string MonitorValueOf(const MonitorArea& monitor);
bool SeedMonitorValue(const std::string& text);

// The two monitors of the layout; false (and a failed check) when the display is not that.
struct TwoMonitors {
    MonitorArea first, second;
};
bool FindTwoMonitors(e2e::Report& report, const std::string& caseName, TwoMonitors& found);

// On the first monitor, clear of every place a bar docks at on either monitor.
void ParkMouse();

RECT WindowPlace(HWND window);
// Polls until the window's rectangle is within tolerance of `want`; `seen` is the last one read.
bool WaitForPlace(HWND window, const RECT& want, int timeoutMs, RECT& seen);

// A fresh settings key with Align_Position `listIndex` (0: none) and Align_Monitor `monitorValue`
// (empty: none), then the bar; the check "<caseName>_bar_starts" reports a failed start.
std::unique_ptr<bar_probe::RunningBar> StartBarWith(e2e::Report& report, const std::string& tolvixExe,
    const std::string& caseName, int listIndex, const std::string& monitorValue);

} // namespace monitors_probe
