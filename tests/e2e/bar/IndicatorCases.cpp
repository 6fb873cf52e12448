#include <algorithm>
#include <cstdio>
#include <deque>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"

namespace bar_probe {
namespace {

using namespace bar_ids;

std::string VisibleGauges(HWND bar, int& onlyLevel)
{
    std::string shown;
    int count = 0;
    for (int i = 0; i < 7; ++i)
        if (ShownById(bar, MEMMODE_0 + i)) {
            shown += (count++ ? "," : "") + std::to_string(i);
            onlyLevel = i;
        }
    if (count != 1)
        onlyLevel = -1;
    return "[" + shown + "]";
}

std::string LocalHhMm()
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", now.wHour, now.wMinute);
    return text;
}

std::string LampText(HWND bar)
{
    return std::string("ONLED(0) ") + (ShownById(bar, ONLED_0) ? "shown" : "hidden") + ", ONLED(1) " +
        (ShownById(bar, ONLED_0 + 1) ? "shown" : "hidden");
}

} // namespace

void CheckIndicators(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    int shown = -1;
    size_t count = 0;
    const bool counted = e2e::WaitFor(kRefreshDeadlineMs, [&] {
        count = ProcessNames().size();
        shown = TaskCountShown(bar);
        return shown == static_cast<int>(count);
    });
    report.Check("tim3_counts_running_processes", counted,
        "TIM3 '" + TextOf(ChildById(bar, TIM3)) + "', Toolhelp snapshot " + std::to_string(count) + " processes");
    report.Check("tskmode_icon_shown", ShownById(bar, TSKMODE_0), "TSKMODE(0) visible");

    std::string detail;
    const long long interval = MeasureRefreshMs(bar, detail);
    report.Check("refresh_runs_every_2000_ms_by_default", interval >= 1650 && interval <= 2400, detail);

    // The bar's figure against the probe's own readings of the last refresh interval and a half.
    std::deque<std::pair<unsigned long long, MemoryReading>> history;
    long long tim1 = -1;
    int gauge = -1;
    std::string gauges, range;
    bool figureOk = false, gaugeOk = false;
    e2e::WaitFor(kRefreshDeadlineMs + 3000, [&] {
        const unsigned long long now = e2e::NowMs();
        history.emplace_back(now, ReadMemory());
        while (now - history.front().first > 3000)
            history.pop_front();
        tim1 = NumberIn(TextOf(ChildById(bar, TIM1)));
        gauges = VisibleGauges(bar, gauge);
        long long low = history.front().second.freeMb(), high = low;
        int lowLevel = history.front().second.level(), highLevel = lowLevel;
        for (const auto& h : history) {
            low = std::min(low, h.second.freeMb());
            high = std::max(high, h.second.freeMb());
            lowLevel = std::min(lowLevel, h.second.level());
            highLevel = std::max(highLevel, h.second.level());
        }
        range = std::to_string(low) + ".." + std::to_string(high) + " MB, level " + std::to_string(lowLevel) + ".." +
            std::to_string(highLevel) + ", total " + std::to_string(history.back().second.totalPhys / 1048576) + " MB";
        figureOk = tim1 >= low - 4 && tim1 <= high + 4;
        gaugeOk = gauge >= lowLevel && gauge <= highLevel;
        return figureOk && gaugeOk && history.size() > 20;
    });
    report.Check(
        "tim1_shows_free_physical_mb", figureOk, "TIM1 '" + TextOf(ChildById(bar, TIM1)) + "', probe read " + range);
    report.Check(
        "one_memmode_gauge_matches_free_memory", gaugeOk, "visible MEMMODE " + gauges + ", probe read " + range);

    std::string hhmm;
    const bool clock = e2e::WaitFor(kRefreshDeadlineMs, [&] {
        hhmm = LocalHhMm();
        return TextOf(ChildById(bar, TIM2)) == hhmm;
    });
    report.Check("tim2_shows_local_hh_mm", clock, "TIM2 '" + TextOf(ChildById(bar, TIM2)) + "', local time " + hhmm);
}

void CheckLamp(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    const std::string key = "System\\CurrentControlSet\\Services\\RemoteAccess";
    auto lampOff = [&] { return ShownById(bar, ONLED_0) && !ShownById(bar, ONLED_0 + 1); };
    auto lampOn = [&] { return ShownById(bar, ONLED_0 + 1) && !ShownById(bar, ONLED_0); };
    auto setThroughApi = [&](unsigned char first) {
        return WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "Remote Connection", REG_BINARY, {first, 0, 0, 0});
    };
    // Off through the API, on with Wine's own reg.exe, off again: each state must follow.
    const bool offFirst = setThroughApi(0) && e2e::WaitFor(kOneRefreshMs, lampOff);
    const std::string offText = LampText(bar);
    e2e::ChildProcess reg("C:\\windows\\system32\\reg.exe", "C:\\",
        "add \"HKLM\\" + key + "\" /v \"Remote Connection\" /t REG_BINARY /d 01000000 /f");
    const bool added = e2e::WaitFor(10000, [&] { return !reg.running(); }) && reg.exitCode() == 0;
    const bool on = offFirst && added && e2e::WaitFor(kOneRefreshMs, lampOn);
    report.Check("lamp_lights_when_remote_connection_is_1", on,
        (offFirst ? "lamp off with 00000000; " : "lamp never off with 00000000 (" + offText + "); ") +
            (added ? "reg add 01000000 done; "
                   : "reg add failed (" + reg.error() + " exit " + std::to_string(reg.exitCode()) + "); ") +
            LampText(bar));
    const bool off = on && setThroughApi(0) && e2e::WaitFor(kOneRefreshMs, lampOff);
    report.Check("lamp_goes_out_when_remote_connection_is_0", offFirst && off,
        std::string(on ? "lamp was on; value set to 00000000; " : "lamp never seen on; ") + LampText(bar));
    DeleteRegistryKey(HKEY_LOCAL_MACHINE, key);
}

void CheckWinamp(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    const HWND wmplay = ChildById(bar, WMPLAY);
    if (!report.Check("wmplay_hidden_without_winamp", wmplay && !IsWindowVisible(wmplay),
            wmplay ? std::string("WMPLAY ") + (IsWindowVisible(wmplay) ? "shown" : "hidden") : "no control WMPLAY"))
        return;
    e2e::ScratchFolder folder("winamp");
    const std::string log = folder.PathOf("commands.log");
    e2e::ChildProcess winamp = StartPeer("winamp \"" + log + "\"");
    const unsigned long long started = e2e::NowMs();
    const bool appeared = e2e::WaitFor(kRefreshDeadlineMs, [&] { return IsWindowVisible(wmplay) != 0; });
    const unsigned long long appearedMs = e2e::NowMs() - started;
    report.Check("wmplay_appears_within_one_refresh_of_winamp", appeared && appearedMs <= kOneRefreshMs,
        appeared ? "after " + std::to_string(appearedMs) + " ms" : "not within 6 s; " + winamp.error());
    if (!appeared)
        return;

    RECT r = {};
    GetClientRect(wmplay, &r);
    const std::vector<std::string> expected = {"40044", "40045", "40147", "40048", "40045"};
    std::vector<std::string> seen;
    for (int i = 0; i < 5; ++i) {
        const int quarter = i < 4 ? i : 1;
        PostClickAt(wmplay, (2 * quarter + 1) * r.right / 8, r.bottom / 2, i == 4);
        e2e::WaitFor(kOneRefreshMs, [&] {
            seen = ReadLines(log);
            return seen.size() > static_cast<size_t>(i);
        });
    }
    report.Check("wmplay_quarters_send_40044_40045_40147_40048",
        seen.size() >= 4 &&
            std::vector<std::string>(seen.begin(), seen.begin() + 4) ==
                std::vector<std::string>(expected.begin(), expected.begin() + 4),
        "left clicks on quarters 0..3 of " + std::to_string(r.right) + " px; stand-in received " + ListText(seen));
    report.Check("wmplay_right_button_release_sends_too", seen == expected,
        "right click on quarter 1; stand-in received " + ListText(seen));

    const HWND window = WaitForWindowOf(winamp.id(), 1000);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = e2e::WaitFor(3000, [&] { return !winamp.running(); });
    const unsigned long long closed = e2e::NowMs(); // the window is gone with its process
    const bool vanished = e2e::WaitFor(kRefreshDeadlineMs, [&] { return !IsWindowVisible(wmplay); });
    const unsigned long long vanishedMs = e2e::NowMs() - closed;
    report.Check("wmplay_vanishes_after_winamp_closes", ended && vanished && vanishedMs <= kOneRefreshMs,
        std::string(ended ? "stand-in ended" : "stand-in still running") + ", WMPLAY " +
            (vanished ? "hidden after " + std::to_string(vanishedMs) + " ms" : "still shown after 6 s"));

    // A stand-in that stops answering for 20 s: a click on the buttons must not stop the bar.
    e2e::ChildProcess hung = StartPeer("winamp \"" + log + "\" --hang 20000");
    const HWND hungWindow = WaitForWindowOf(hung.id(), 5000);
    const bool isHung = hungWindow && e2e::WaitFor(10000, [&] { return IsHungAppWindow(hungWindow) != 0; });
    const bool shownAgain = e2e::WaitFor(kRefreshDeadlineMs, [&] { return IsWindowVisible(wmplay) != 0; });
    if (shownAgain)
        PostClickAt(wmplay, r.right * 3 / 8, r.bottom / 2);
    std::string refresh;
    const bool alive = isHung && shownAgain && RefreshSeesNewProcess(bar, refresh);
    report.Check("hung_winamp_does_not_freeze_bar", alive,
        std::string(isHung ? "stand-in hung" : "stand-in never counted as hung") + ", WMPLAY " +
            (shownAgain ? "shown and clicked; " : "not shown; ") + refresh);
}

} // namespace bar_probe
