#include "tests/e2e/monitors/MonitorLayout.h"

#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace monitors_probe {
namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    auto* monitors = reinterpret_cast<std::vector<MonitorArea>*>(param);
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    MonitorArea area;
    area.handle = monitor;
    if (GetMonitorInfoA(monitor, &info)) {
        area.device = info.szDevice;
        area.rect = info.rcMonitor;
        area.work = info.rcWork;
        area.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    monitors->push_back(area);
    return TRUE;
}

std::string DeviceOf(HMONITOR monitor)
{
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    return monitor && GetMonitorInfoA(monitor, &info) ? std::string(info.szDevice) : "no monitor";
}

} // namespace

std::vector<MonitorArea> ListMonitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

const MonitorArea* MonitorAt(const std::vector<MonitorArea>& monitors, const RECT& rect)
{
    for (const MonitorArea& m : monitors)
        if (SameRect(m.rect, rect))
            return &m;
    return nullptr;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

std::string Corners(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
        std::to_string(r.bottom);
}

std::string MonitorsText(const std::vector<MonitorArea>& monitors)
{
    std::string text;
    for (const MonitorArea& m : monitors)
        text += (text.empty() ? "" : "; ") + m.device + " " + Corners(m.rect) + " work " + Corners(m.work) +
            (m.primary ? " primary" : "");
    return text.empty() ? "no monitors" : text;
}

std::string WorkAreasText()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return "SPI_GETWORKAREA " + Corners(work) + "; " + MonitorsText(ListMonitors());
}

void CheckTwoMonitorDisplay(e2e::Report& report)
{
    const std::vector<MonitorArea> monitors = ListMonitors();
    const MonitorArea* first = MonitorAt(monitors, kFirstMonitor);
    const MonitorArea* second = MonitorAt(monitors, kSecondMonitor);
    const bool distinctNames = first && second && !first->device.empty() && first->device != second->device;
    report.Check("display_has_two_monitors_side_by_side",
        monitors.size() == 2 && first && second && first->primary && !second->primary && distinctNames,
        MonitorsText(monitors) + "; want 0,0,1024,768 (primary) and 1024,0,2048,768 under distinct names");

    const int count = GetSystemMetrics(SM_CMONITORS);
    const int virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int virtualHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int primaryWidth = GetSystemMetrics(SM_CXSCREEN);
    report.Check("system_metrics_see_the_virtual_screen",
        count == 2 && virtualWidth == 2048 && virtualHeight == 768 && primaryWidth == 1024,
        "SM_CMONITORS " + std::to_string(count) + ", virtual screen " + std::to_string(virtualWidth) + "x" +
            std::to_string(virtualHeight) + ", SM_CXSCREEN " + std::to_string(primaryWidth));

    // A window mostly on the second monitor (an edge of it on the first) belongs to the second.
    win32kit::UniqueWindow window = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Monitor Pick");
    SetWindowPos(window.get(), nullptr, 900, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    e2e::ShowWithoutActivating(window.get());
    e2e::PumpFor(200);
    const HMONITOR ofWindow = MonitorFromWindow(window.get(), MONITOR_DEFAULTTONULL);
    const HMONITOR ofPoint = MonitorFromPoint({1500, 300}, MONITOR_DEFAULTTONULL);
    const HMONITOR ofNowhere = MonitorFromPoint({5000, 5000}, MONITOR_DEFAULTTONULL);
    const HMONITOR nearest = MonitorFromPoint({5000, 300}, MONITOR_DEFAULTTONEAREST);
    const bool picked =
        second && ofWindow == second->handle && ofPoint == second->handle && !ofNowhere && nearest == second->handle;
    report.Check("monitor_from_window_and_point_pick_the_second_monitor", picked,
        "window at 900,100 400x300: " + DeviceOf(ofWindow) + "; point 1500,300: " + DeviceOf(ofPoint) +
            "; point 5000,5000: " + DeviceOf(ofNowhere) + "; nearest to 5000,300: " + DeviceOf(nearest));
}

} // namespace monitors_probe
