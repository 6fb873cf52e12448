#include "tests/e2e/monitors/MonitorBar.h"

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/monitors/DockedPlace.h"

namespace monitors_probe {

std::string MonitorValueOf(const MonitorArea& monitor)
{
    return monitor.device + "|" + Corners(monitor.rect);
}

bool SeedMonitorValue(const std::string& text)
{
    const std::vector<unsigned char> bytes(text.c_str(), text.c_str() + text.size() + 1);
    return bar_probe::WriteRegistryValue(HKEY_CURRENT_USER, bar_probe::kSettingsKey, kMonitorValue, REG_SZ, bytes);
}

bool FindTwoMonitors(e2e::Report& report, const std::string& caseName, TwoMonitors& found)
{
    const std::vector<MonitorArea> monitors = ListMonitors();
    const MonitorArea* first = MonitorAt(monitors, kFirstMonitor);
    const MonitorArea* second = MonitorAt(monitors, kSecondMonitor);
    if (!first || !second)
        return report.Check(caseName + "_needs_two_monitors", false, MonitorsText(monitors));
    found = {*first, *second};
    return true;
}

void ParkMouse()
{
    SetCursorPos(300, 120);
}

RECT WindowPlace(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool WaitForPlace(HWND window, const RECT& want, int timeoutMs, RECT& seen)
{
    return e2e::WaitFor(timeoutMs, [&] {
        seen = WindowPlace(window);
        return Near(seen, want);
    });
}

std::unique_ptr<bar_probe::RunningBar> StartBarWith(e2e::Report& report, const std::string& tolvixExe,
    const std::string& caseName, int listIndex, const std::string& monitorValue)
{
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
    bool seeded = true;
    if (listIndex > 0)
        seeded = bar_probe::SeedSetting("Align_Position", static_cast<unsigned>(listIndex));
    if (!monitorValue.empty())
        seeded = SeedMonitorValue(monitorValue) && seeded;
    ParkMouse();
    std::unique_ptr<bar_probe::RunningBar> running = bar_probe::LaunchBar(tolvixExe, caseName, {}, 30000);
    if (!seeded || !running->bar)
        report.Check(caseName + "_bar_starts", false, !seeded ? "the settings could not be written" : running->error);
    return running;
}

} // namespace monitors_probe
