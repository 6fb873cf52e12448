#include "tests/e2e/monitors/TaskMonitorCases.h"

#include <algorithm>
#include <vector>

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"
#include "tests/e2e/monitors/DockedPlace.h"
#include "tests/e2e/monitors/MonitorBar.h"

namespace monitors_probe {
namespace {

constexpr const char* kOnFirst = "E2E On First";
constexpr const char* kOnSecond = "E2E On Second";
constexpr const char* kOnNone = "E2E On No Monitor";
// The bound of the task buttons between refresh ticks (the bar suite's instant cases): the
// median of the trials within 100 ms, none later than 5 s.
constexpr int kMedianLimitMs = 100;
constexpr int kGiveUpMs = 5000;
constexpr int kRoundTrips = 5;

void Place(HWND window, int x, int y)
{
    SetWindowPos(window, nullptr, x, y, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
}

// "" when the buttons of the three windows are as wanted, else what the bar shows of them.
std::string ShownOf(HWND bar, bool first, bool second, bool none)
{
    const std::vector<std::string> all = bar_probe::Captions(bar_probe::VisibleTaskButtons(bar));
    const std::vector<std::string> seen = bar_probe::Only(all, {kOnFirst, kOnSecond, kOnNone});
    const bool right = bar_probe::Contains(seen, kOnFirst) == first && bar_probe::Contains(seen, kOnSecond) == second &&
        bar_probe::Contains(seen, kOnNone) == none;
    return right ? "" : "buttons of the test windows " + bar_probe::ListText(seen);
}

std::string Want(bool first, bool second, bool none)
{
    std::vector<std::string> want;
    if (first)
        want.push_back(kOnFirst);
    if (second)
        want.push_back(kOnSecond);
    if (none)
        want.push_back(kOnNone);
    return "want " + bar_probe::ListText(want);
}

// Milliseconds until the caption's button is there (or gone), -1 after kGiveUpMs.
long long MsUntilButton(HWND bar, const std::string& caption, bool present)
{
    const unsigned long long since = e2e::NowMs();
    for (;;) {
        e2e::PumpMessages();
        if (bar_probe::Contains(bar_probe::Captions(bar_probe::VisibleTaskButtons(bar)), caption) == present)
            return static_cast<long long>(e2e::NowMs() - since);
        if (e2e::NowMs() - since > kGiveUpMs)
            return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

} // namespace

void CheckTasksOfBarMonitorOnly(e2e::Report& report, const std::string& tolvixExe)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "tasks", monitors))
        return;
    win32kit::UniqueWindow first = e2e::CreateTestWindow(e2e::WindowKind::Normal, kOnFirst);
    win32kit::UniqueWindow second = e2e::CreateTestWindow(e2e::WindowKind::Normal, kOnSecond);
    win32kit::UniqueWindow none = e2e::CreateTestWindow(e2e::WindowKind::Normal, kOnNone);
    Place(first.get(), 500, 300);
    Place(second.get(), 1400, 300);
    Place(none.get(), 3000, 1200);
    for (HWND w : {first.get(), second.get(), none.get()})
        e2e::ShowWithoutActivating(w);

    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
    const bool seeded = bar_probe::SeedSetting("General_TasksOfBarMonitorOnly", 1);
    ParkMouse();
    std::unique_ptr<bar_probe::RunningBar> running = bar_probe::LaunchBar(tolvixExe, "tasks", {}, 30000);
    if (!report.Check("tasks_of_bar_monitor_bar_starts", seeded && running->bar,
            seeded ? (running->bar ? "General_TasksOfBarMonitorOnly 00 00 00 01" : running->error)
                   : "the setting could not be written"))
        return;
    const HWND bar = running->bar;

    // A free bar moved onto the second monitor.
    const SIZE size = SizeOf(WindowPlace(bar));
    SetWindowPos(bar, nullptr, 1200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT seen = {};
    const bool moved = WaitForPlace(bar, {1200, 100, 1200 + size.cx, 100 + size.cy}, 2000, seen);
    std::string differs;
    e2e::WaitFor(bar_probe::kRefreshDeadlineMs, [&] { return (differs = ShownOf(bar, false, true, false)).empty(); });
    report.Check("bar_on_the_second_monitor_shows_only_its_windows", moved && differs.empty(),
        std::string(moved ? "bar at " : "the bar did not stay where it was moved: ") + PlaceText(seen) + "; " +
            (differs.empty() ? "only '" + std::string(kOnSecond) + "'" : differs + ", " + Want(false, true, false)));

    // A window moved to the bar's monitor and back, its button coming and going each time.
    std::vector<long long> ms;
    int lost = 0;
    for (int trip = 0; trip < kRoundTrips; ++trip) {
        for (const bool onto : {true, false}) {
            Place(first.get(), onto ? 1500 : 500, 300);
            const long long took = MsUntilButton(bar, kOnFirst, onto);
            if (took < 0)
                ++lost;
            else
                ms.push_back(took);
        }
    }
    std::sort(ms.begin(), ms.end());
    const long long median = ms.empty() ? -1 : ms[(ms.size() - 1) / 2];
    report.Check("window_moved_between_monitors_button_follows_at_once",
        lost == 0 && median >= 0 && median <= kMedianLimitMs,
        "median " + std::to_string(median) + " ms, max " + std::to_string(ms.empty() ? -1 : ms.back()) + " ms over " +
            std::to_string(2 * kRoundTrips) + " moves, " + std::to_string(lost) + " not within 5 s");

    // The bar moved back to the primary monitor: its windows, the one on no monitor among them.
    SetWindowPos(bar, nullptr, 120, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    e2e::WaitFor(bar_probe::kRefreshDeadlineMs, [&] { return (differs = ShownOf(bar, true, false, true)).empty(); });
    report.Check("bar_on_the_primary_monitor_shows_its_windows_and_those_on_no_monitor", differs.empty(),
        differs.empty() ? "'" + std::string(kOnFirst) + "' and '" + kOnNone + "'"
                        : differs + ", " + Want(true, false, true));

    running->process.Kill();
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

} // namespace monitors_probe
