#include "tests/e2e/monitors/DockingCases.h"

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/monitors/AlignmentPage.h"
#include "tests/e2e/monitors/DockedPlace.h"
#include "tests/e2e/monitors/MonitorBar.h"

namespace monitors_probe {
namespace {

// The bar's start, then a docking tick of 500 ms or two.
constexpr int kDockedWithinMs = 5000;
constexpr int kMovesWithinMs = 3000;

// Waits for the bar tucked away at `position` of `work` (its size as it is); `seen` and `want`
// hold the last place read and the one it should have been.
bool WaitForTucked(HWND bar, int position, const RECT& work, int timeoutMs, RECT& seen, RECT& want)
{
    return e2e::WaitFor(timeoutMs, [&] {
        seen = WindowPlace(bar);
        want = TuckedPlace(position, SizeOf(seen), work);
        return Near(seen, want);
    });
}

// Tucked away with the mouse elsewhere, out with the mouse on the strip, away again once the
// mouse leaves; "" or where the bar was instead. `tuckedShot`/`shownShot` name screenshots.
std::string TucksAndComesOut(HWND bar, int position, const RECT& work, bar_probe::Artifacts& artifacts,
    const std::string& tuckedShot = "", const std::string& shownShot = "")
{
    RECT seen = {}, tucked = {};
    ParkMouse();
    if (!WaitForTucked(bar, position, work, kDockedWithinMs, seen, tucked))
        return "not tucked away: at " + PlaceText(seen) + ", want " + PlaceText(tucked) + " on work area " +
            Corners(work);
    if (!tuckedShot.empty())
        artifacts.RequestScreenshot(tuckedShot);
    const POINT strip = StripPoint(tucked, work);
    SetCursorPos(strip.x, strip.y);
    const RECT shown = ShownPlace(tucked, work);
    if (!WaitForPlace(bar, shown, kMovesWithinMs, seen))
        return "tucked at " + PlaceText(tucked) + ", but with the mouse resting at " + std::to_string(strip.x) + "," +
            std::to_string(strip.y) + " at " + PlaceText(seen) + ", want " + PlaceText(shown);
    if (!shownShot.empty())
        artifacts.RequestScreenshot(shownShot);
    ParkMouse();
    if (!WaitForPlace(bar, tucked, kMovesWithinMs, seen))
        return "out at " + PlaceText(shown) + ", but once the mouse left at " + PlaceText(seen) + ", want " +
            PlaceText(tucked);
    return "";
}

std::string Describe(const std::string& failed, const RECT& work, const DockEntry& entry)
{
    return failed.empty() ? "tucked, out under the mouse and tucked again at position " +
            std::to_string(entry.position) + " of work area " + Corners(work)
                          : failed;
}

} // namespace

void CheckDockingPositions(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "docking", monitors))
        return;
    // The primary monitor with nothing stored (the bar starts there), and the second one stored.
    const std::pair<const MonitorArea*, std::string> where[] = {
        {&monitors.first, ""}, {&monitors.second, MonitorValueOf(monitors.second)}};
    for (const auto& [monitor, remembered] : where) {
        const bool second = monitor == &monitors.second;
        for (const DockEntry& entry : kDockEntries) {
            const std::string name = std::string("docked_") + entry.name;
            std::unique_ptr<bar_probe::RunningBar> running =
                StartBarWith(report, tolvixExe, name, entry.listIndex, remembered);
            if (!running->bar)
                continue;
            const std::string shot = std::string("second-monitor-") + entry.name;
            const bool pictured = second && (entry.position == 3 || entry.position == 7);
            const std::string failed = TucksAndComesOut(running->bar, entry.position, monitor->work, artifacts,
                pictured ? shot + "-tucked" : "", pictured ? shot + "-out" : "");
            report.Check(name + (second ? "_on_the_remembered_second_monitor" : "_on_the_primary_monitor"),
                failed.empty(),
                "Align_Position " + std::to_string(entry.listIndex) + ", Align_Monitor " +
                    (remembered.empty() ? "none" : "'" + remembered + "'") + ": " +
                    Describe(failed, monitor->work, entry));
        }
    }
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

void CheckRememberedMonitor(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "remember", monitors))
        return;
    const DockEntry& left = *DockEntryOf(3);
    {
        // A free bar moved mostly onto the second monitor, then docked at the left from the
        // settings window: the left edge it docks at is the second monitor's, shared with the first.
        std::unique_ptr<bar_probe::RunningBar> running = StartBarWith(report, tolvixExe, "moved_free_bar", 0, "");
        if (!running->bar)
            return;
        const HWND bar = running->bar;
        const SIZE size = SizeOf(WindowPlace(bar));
        SetWindowPos(bar, nullptr, 1200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT seen = {};
        const RECT moved = {1200, 200, 1200 + size.cx, 200 + size.cy};
        const bool free = WaitForPlace(bar, moved, 2000, seen);
        if (free)
            artifacts.RequestScreenshot("free-bar-on-the-second-monitor");
        const std::string chosen = free ? ChooseAlignment(*running, left.listIndex) : "";
        const std::string failed = !free ? "the free bar did not stay at 1200,200 (at " + PlaceText(seen) + ")"
            : !chosen.empty()            ? chosen
                                         : TucksAndComesOut(bar, left.position, monitors.second.work, artifacts);
        report.Check("free_bar_on_the_second_monitor_docks_at_its_left_edge", failed.empty(),
            "moved to 1200,200, then 'left' saved: " + Describe(failed, monitors.second.work, left));

        const std::string stored = bar_probe::StoredSetting(kMonitorValue);
        const std::string want = "REG_SZ " + MonitorValueOf(monitors.second);
        report.Check("docking_stores_the_monitor_in_align_monitor", stored == want,
            "Align_Monitor '" + stored + "', want '" + want + "'");

        // The bar's own value, read back at the next start.
        running->process.Kill();
        ParkMouse();
        running = bar_probe::LaunchBar(tolvixExe, "restarted", {}, 30000);
        const std::string again = running->bar ? TucksAndComesOut(running->bar, left.position, monitors.second.work,
                                                     artifacts, "restart-second-monitor-left")
                                               : running->error;
        report.Check("restart_docks_on_the_stored_monitor", again.empty(),
            "Align_Monitor '" + stored + "': " + Describe(again, monitors.second.work, left));

        // Tucked at the edge the two monitors share, the bar shows only its strip: its window region
        // keeps the hidden part off the first monitor, and the mouse resting there, over that part,
        // leaves it tucked.
        if (again.empty()) {
            const RECT tucked = WindowPlace(running->bar);
            RECT box = {};
            int kind = ERROR;
            const bool strip = e2e::WaitFor(1000, [&] {
                kind = GetWindowRgnBox(running->bar, &box);
                return kind == SIMPLEREGION && box.right - box.left > 0 && box.right - box.left <= 20;
            });
            SetCursorPos(monitors.second.rect.left - 24, (tucked.top + tucked.bottom) / 2);
            RECT seen = {};
            const bool moved = e2e::WaitFor(1200, [&] {
                seen = WindowPlace(running->bar);
                return !EqualRect(&seen, &tucked);
            });
            ParkMouse();
            const LONG shownWidth = box.right - box.left;
            report.Check("shared_edge_shows_only_the_strip_and_ignores_the_mouse_on_the_other_monitor", strip && !moved,
                "tucked at " + PlaceText(tucked) + ": window region " +
                    (kind == SIMPLEREGION ? std::to_string(shownWidth) + " px wide" : "none") +
                    "; mouse resting at x " + std::to_string(monitors.second.rect.left - 24) +
                    " for 1.2 s: " + (moved ? "moved to " + PlaceText(seen) : "stayed tucked"));
        }
    }

    // A stored monitor that is not there any more, or a value that names none: the primary one.
    const DockEntry& right = *DockEntryOf(5);
    const std::pair<const char*, std::string> unmatched[] = {
        {"gone", "\\\\.\\DISPLAY9|3072,0,4096,768"}, {"garbage", "nonsense|1,2"}};
    for (const auto& [what, value] : unmatched) {
        const std::string name = std::string("stored_monitor_") + what;
        std::unique_ptr<bar_probe::RunningBar> running = StartBarWith(report, tolvixExe, name, right.listIndex, value);
        if (!running->bar)
            continue;
        const std::string failed = TucksAndComesOut(running->bar, right.position, monitors.first.work, artifacts);
        report.Check(name + "_docks_on_the_primary_monitor", failed.empty(),
            "Align_Position 5, Align_Monitor '" + value + "': " + Describe(failed, monitors.first.work, right));
    }
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

} // namespace monitors_probe
