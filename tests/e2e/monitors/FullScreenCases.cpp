#include "tests/e2e/monitors/FullScreenCases.h"

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"
#include "tests/e2e/monitors/MonitorBar.h"

namespace monitors_probe {
namespace {

// A window event or a tick of the bar's timers, with slack.
constexpr int kReactsWithinMs = 3000;
// How long the bar must stay on top for "changes nothing".
constexpr int kUnchangedForMs = 2500;

// The way a game goes full screen: a plain window turned into a frameless popup that covers the
// monitor, brought to the front.
win32kit::UniqueWindow FullScreenWindow(const std::string& title, const RECT& monitor)
{
    win32kit::UniqueWindow window = e2e::CreateTestWindow(e2e::WindowKind::Normal, title);
    SetWindowLongPtrA(window.get(), GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetWindowPos(window.get(), HWND_TOP, monitor.left, monitor.top, monitor.right - monitor.left,
        monitor.bottom - monitor.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    SetForegroundWindow(window.get());
    return window;
}

// Place in the desktop's z-order, 0 the top; -1 when not a top-level window.
int ZIndex(HWND window)
{
    int index = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++index)
        if (w == window)
            return index;
    return -1;
}

bool Topmost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::string Order(HWND bar, HWND other)
{
    return std::string("bar ") + (Topmost(bar) ? "topmost" : "not topmost") + ", at z " + std::to_string(ZIndex(bar)) +
        ", the full-screen window at z " + std::to_string(ZIndex(other)) + (IsIconic(other) ? " (minimised)" : "") +
        (IsWindow(other) ? "" : " (closed)");
}

bool OnTopOf(HWND bar, HWND other)
{
    return Topmost(bar) && (!IsWindow(other) || !IsWindowVisible(other) || ZIndex(bar) < ZIndex(other));
}

bool Behind(HWND bar, HWND other)
{
    return ZIndex(bar) > ZIndex(other) && ZIndex(other) >= 0;
}

} // namespace

void CheckFullScreenWindows(e2e::Report& report, const std::string& tolvixExe)
{
    TwoMonitors monitors;
    if (!FindTwoMonitors(report, "fullscreen", monitors))
        return;
    std::unique_ptr<bar_probe::RunningBar> running = StartBarWith(report, tolvixExe, "fullscreen", 0, "");
    if (!running->bar)
        return;
    const HWND bar = running->bar;
    bar_probe::WaitForSplashToGo(*running);
    const bool topAtStart = e2e::WaitFor(kReactsWithinMs, [&] { return Topmost(bar); });

    {
        win32kit::UniqueWindow game = FullScreenWindow("E2E Full Screen", monitors.first.rect);
        const bool behind = e2e::WaitFor(kReactsWithinMs, [&] { return Behind(bar, game.get()); });
        report.Check("full_screen_window_on_the_bar_monitor_puts_the_bar_behind", topAtStart && behind,
            std::string(topAtStart ? "" : "the bar was not topmost at start; ") + "full screen over " +
                Corners(monitors.first.rect) + ": " + Order(bar, game.get()));

        ShowWindow(game.get(), SW_MINIMIZE);
        const bool back = e2e::WaitFor(kReactsWithinMs, [&] { return OnTopOf(bar, game.get()); });
        report.Check("bar_back_on_top_once_the_full_screen_window_is_minimised", behind && back,
            (behind ? "" : std::string("it never went behind; ")) + Order(bar, game.get()));

        ShowWindow(game.get(), SW_RESTORE);
        SetForegroundWindow(game.get());
        const bool behindAgain = e2e::WaitFor(kReactsWithinMs, [&] { return Behind(bar, game.get()); });
        const HWND closed = game.get();
        game.reset();
        const bool backAgain = e2e::WaitFor(kReactsWithinMs, [&] { return OnTopOf(bar, closed); });
        report.Check("bar_back_on_top_once_the_full_screen_window_closes", behindAgain && backAgain,
            std::string(behindAgain ? "behind the restored window, then " : "not behind the restored window; then ") +
                Order(bar, closed));
    }

    // On the other monitor: the bar stays on top all along.
    win32kit::UniqueWindow other = FullScreenWindow("E2E Full Screen Elsewhere", monitors.second.rect);
    const unsigned long long since = e2e::NowMs();
    bool kept = true;
    while (kept && e2e::NowMs() - since < kUnchangedForMs) {
        e2e::PumpFor(50);
        kept = OnTopOf(bar, other.get());
    }
    report.Check("full_screen_window_on_the_other_monitor_leaves_the_bar_on_top", kept,
        "full screen over " + Corners(monitors.second.rect) + (kept ? " for 2.5 s: " : ": ") + Order(bar, other.get()));
    running->process.Kill();
    bar_probe::DeleteRegistryKey(HKEY_CURRENT_USER, bar_probe::kSettingsKey);
}

} // namespace monitors_probe
