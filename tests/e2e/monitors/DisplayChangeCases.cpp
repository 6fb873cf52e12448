#include "tests/e2e/monitors/DisplayChangeCases.h"

#include <algorithm>
#include <vector>

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/monitors/DockedPlace.h"
#include "tests/e2e/monitors/MonitorBar.h"

namespace monitors_probe {
namespace {

constexpr int kDockedWithinMs = 5000;
constexpr int kBottom = 7; // list entry and position alike
constexpr int kDisplacedTrials = 5;
// Well before the next docking tick, 500 ms after the last.
constexpr int kBeforeTheTickMs = 200;

// The bar tucked at the bottom of `work`; "" or where it was.
std::string WaitForBottom(HWND bar, const RECT& work, int timeoutMs, unsigned long long& tookMs)
{
    const unsigned long long since = e2e::NowMs();
    RECT seen = {}, want = {};
    const bool there = e2e::WaitFor(timeoutMs, [&] {
        seen = WindowPlace(bar);
        want = TuckedPlace(kBottom, SizeOf(seen), work);
        return Near(seen, want);
    });
    tookMs = e2e::NowMs() - since;
    return there ? "" : "at " + PlaceText(seen) + ", want " + PlaceText(want) + " on work area " + Corners(work);
}

} // namespace

void CheckDisplayChanges(e2e::Report& report, const std::string& tolvixExe)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "displaychange", monitors))
        return;
    // On the primary monitor, where a bar starting free docks with no monitor stored.
    const RECT fullWork = monitors.first.work;
    std::unique_ptr<bar_probe::RunningBar> running = StartBarWith(report, tolvixExe, "displaychange", kBottom, "");
    if (!running->bar)
        return;
    const HWND bar = running->bar;
    unsigned long long took = 0;
    const std::string docked = WaitForBottom(bar, fullWork, kDockedWithinMs, took);
    if (!report.Check("displaychange_bar_docks_at_the_bottom", docked.empty(),
            docked.empty() ? "tucked at the bottom of " + Corners(fullWork) : docked)) {
        running->process.Kill();
        return;
    }

    // Wine 8 passes no work area change to running programs (SPI_SETWORKAREA stays in the
    // process that set it, the X desktop's work area is read once at the server's start), so the
    // display change is judged on its own: the docking tick brings a moved bar back within 500 ms,
    // and right after a tick has done so, a display change must bring it back long before the next.
    std::vector<long long> backMs;
    const RECT tucked = WindowPlace(bar);
    for (int trial = 0; trial < kDisplacedTrials; ++trial) {
        RECT seen = {};
        SetWindowPos(bar, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!WaitForPlace(bar, tucked, kDockedWithinMs, seen))
            break;
        SetWindowPos(bar, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const unsigned long long moved = e2e::NowMs();
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(
            HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(2048, 768), SMTO_ABORTIFHUNG, 5000, &answer);
        if (!WaitForPlace(bar, tucked, kDockedWithinMs, seen))
            break;
        backMs.push_back(static_cast<long long>(e2e::NowMs() - moved));
    }
    std::sort(backMs.begin(), backMs.end());
    const long long median = backMs.empty() ? -1 : backMs[(backMs.size() - 1) / 2];
    std::string times;
    for (long long ms : backMs)
        times += (times.empty() ? "" : ", ") + std::to_string(ms);
    report.Check("display_change_redocks_a_moved_bar_before_the_docking_tick",
        static_cast<int>(backMs.size()) == kDisplacedTrials && median <= kBeforeTheTickMs,
        "moved to 300,300 right after a docking tick, then WM_DISPLAYCHANGE broadcast: back at " + PlaceText(tucked) +
            " after " + (times.empty() ? "never" : times) + " ms (median " + std::to_string(median) +
            ", want at most " + std::to_string(kBeforeTheTickMs) + ")");

    running->process.Kill();
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

} // namespace monitors_probe
