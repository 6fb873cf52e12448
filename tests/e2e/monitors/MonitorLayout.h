#pragma once
// The monitors as Win32 reports them to a program, and the two-monitor layout the runner's
// E2E_MONITORS=2 display is meant to give: two 1024 x 768 heads side by side.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/common/Report.h"

namespace monitors_probe {

struct MonitorArea {
    HMONITOR handle = nullptr;
    std::string device; // "\\.\DISPLAY1"
    RECT rect = {};
    RECT work = {};
    bool primary = false;
};

constexpr RECT kFirstMonitor = {0, 0, 1024, 768};
constexpr RECT kSecondMonitor = {1024, 0, 2048, 768};

// In the order EnumDisplayMonitors gives them.
std::vector<MonitorArea> ListMonitors();
// The monitor whose rectangle is `rect`, or null.
const MonitorArea* MonitorAt(const std::vector<MonitorArea>& monitors, const RECT& rect);

bool SameRect(const RECT& a, const RECT& b);
// "left,top,right,bottom"
std::string Corners(const RECT& r);
// "\\.\DISPLAY1 0,0,1024,768 work 0,0,1024,768 primary; ..."
std::string MonitorsText(const std::vector<MonitorArea>& monitors);

// "SPI_GETWORKAREA <corners>; <MonitorsText>" as this process sees it.
std::string WorkAreasText();

// EnumDisplayMonitors and GetMonitorInfoA see the two monitors of the layout, and the calls that
// pick a monitor for a point or a window pick the right one.
void CheckTwoMonitorDisplay(e2e::Report& report);

} // namespace monitors_probe
