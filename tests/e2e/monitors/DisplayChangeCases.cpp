#include "tests/e2e/monitors/DisplayChangeCases.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"
#include "tests/e2e/monitors/DockedPlace.h"
#include "tests/e2e/monitors/MonitorBar.h"

namespace monitors_probe {
namespace {

constexpr int kDockedWithinMs = 5000;
// "At once": well inside two ticks of the docking timer.
constexpr int kRedocksWithinMs = 1000;
// A monitor's work area less a 68-pixel band at the bottom, as a taskbar would take it.
RECT LessBottomBand(const RECT& work)
{
    return {work.left, work.top, work.right, work.bottom - 68};
}
constexpr int kBottom = 7; // list entry and position alike
constexpr int kDisplacedTrials = 5;
// Well before the next docking tick, 500 ms after the last.
constexpr int kBeforeTheTickMs = 200;

// What a fresh process sees of the work areas: whether a change reached other processes at all.
std::string SeenByAnotherProcess()
{
    e2e::ScratchFolder folder("workareas");
    const std::string out = folder.PathOf("areas.txt");
    char probe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, probe, MAX_PATH);
    e2e::ChildProcess child(probe, folder.path(), "--work-areas \"" + out + "\"");
    if (!child.handle() || WaitForSingleObject(child.handle(), 20000) != WAIT_OBJECT_0)
        return "no answer from a second process";
    std::string line;
    {
        std::ifstream file(out);
        std::getline(file, line);
    }
    DeleteFileA(out.c_str());
    return line;
}

// "" when another process sees `work` as a monitor's work area, else a lead-in for the failure
// that names the platform as the cause.
std::string UnlessOthersSee(const RECT& work, const std::string& seen)
{
    return seen.find("work " + Corners(work)) != std::string::npos
        ? ""
        : "the platform kept the new area from other programs (the bar cannot follow it here): ";
}

bool SetWorkArea(const RECT& area, UINT flags)
{
    RECT copy = area;
    return SystemParametersInfoA(SPI_SETWORKAREA, 0, &copy, flags) != 0;
}

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

void CheckDisplayChanges(e2e::Report& report, const std::string& tolvixExe, bar_probe::Artifacts& artifacts)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "displaychange", monitors))
        return;
    // What a work area set for the second monitor does, to this process and to others.
    const RECT secondWork = monitors.second.work;
    const bool perMonitor = SetWorkArea(LessBottomBand(secondWork), 0);
    report.Note(std::string("SPI_SETWORKAREA ") + Corners(LessBottomBand(secondWork)) +
        (perMonitor ? "" : " (failed)") + ": the changing process sees " + WorkAreasText() + "; another process " +
        SeenByAnotherProcess());
    SetWorkArea(secondWork, 0);

    // On the primary monitor, where a bar starting free docks with no monitor stored.
    const RECT fullWork = monitors.first.work;
    const RECT smallerWork = LessBottomBand(fullWork);
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

    // Wine passes neither kind of work area change to running programs (see the notes the cases
    // print), so the display change is also judged on its own: the docking tick brings a moved
    // bar back within 500 ms, and right after a tick has done so, a display change must bring
    // it back long before the next one.
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

    // The X side's work area shrinks (as a panel of the desktop would take a band), then the
    // display change is announced.
    const std::string xArea = "0 0 2048 " + std::to_string(smallerWork.bottom); // x y width height
    const std::optional<std::string> answered = artifacts.AskHost("workarea", "workarea " + xArea);
    DWORD_PTR answer = 0;
    const unsigned long long since = e2e::NowMs();
    SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(2048, 768), SMTO_ABORTIFHUNG, 5000, &answer);
    std::string moved = WaitForBottom(bar, smallerWork, kRedocksWithinMs, took);
    const bool hostSet = answered && *answered == "set";
    std::string others = SeenByAnotherProcess();
    report.Check("display_change_redocks_the_bar_at_once", hostSet && moved.empty(),
        UnlessOthersSee(smallerWork, others) + "X work area " + xArea +
            (hostSet ? "" : " not set (" + answered.value_or("no answer") + ")") + ", WM_DISPLAYCHANGE broadcast: " +
            (moved.empty() ? "re-docked " + std::to_string(e2e::NowMs() - since) + " ms after the broadcast" : moved) +
            "; another process sees " + others);
    artifacts.AskHost("workarea", "workarea none");
    SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(2048, 768), SMTO_ABORTIFHUNG, 5000, &answer);

    // Back on the whole monitor, another program takes the band and says so.
    const std::string before = WaitForBottom(bar, fullWork, kRedocksWithinMs, took);
    const bool set = SetWorkArea(smallerWork, SPIF_SENDCHANGE);
    const std::string here = WorkAreasText();
    moved = WaitForBottom(bar, smallerWork, kRedocksWithinMs, took);
    others = SeenByAnotherProcess();
    report.Check("new_work_area_redocks_the_bar_at_once", before.empty() && set && moved.empty(),
        UnlessOthersSee(smallerWork, others) + (before.empty() ? "" : "before the change: " + before + "; ") +
            std::string(set ? "SPI_SETWORKAREA " : "SPI_SETWORKAREA failed: ") + Corners(smallerWork) +
            " with SPIF_SENDCHANGE: " + (moved.empty() ? "re-docked after " + std::to_string(took) + " ms" : moved) +
            "; the changing process sees " + here + "; another process " + others);

    SetWorkArea(fullWork, SPIF_SENDCHANGE);
    running->process.Kill();
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

} // namespace monitors_probe
