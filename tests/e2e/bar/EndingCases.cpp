#include "tests/e2e/bar/EndingCases.h"

#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

bool BarResponds(const RunningBar& running)
{
    DWORD_PTR result = 0;
    return running.process.running() && IsWindow(running.bar) && IsWindowVisible(running.bar) &&
        SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

std::string StateText(const RunningBar& running)
{
    return std::string("process ") +
        (running.process.running() ? "running" : "ended, exit code " + std::to_string(running.process.exitCode())) +
        ", bar window " + (IsWindow(running.bar) ? (IsWindowVisible(running.bar) ? "visible" : "hidden") : "gone");
}

} // namespace

void CheckAltF4(e2e::Report& report, const RunningBar& running, Artifacts& artifacts, CloseGesture gesture)
{
    const bool keys = gesture == CloseGesture::AltF4Keys;
    const std::string prefix = keys ? "alt_f4_keys" : "close_command";
    if (!running.process.running()) {
        report.Check(prefix + "_opens_quit_menu", false, "bar not running: " + StateText(running));
        return;
    }

    std::string how;
    if (keys) {
        SetForegroundWindow(running.bar);
        const bool front = e2e::WaitFor(3000, [&] { return GetForegroundWindow() == running.bar; });
        how = front ? "Alt+F4 pressed with the bar in front" : "Alt+F4 pressed, but the bar never came to the front";
        e2e::RealKeyPress(VK_MENU, VK_F4);
    } else {
        how = "WM_SYSCOMMAND SC_CLOSE posted to the bar";
        PostMessageA(running.bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    HWND menu = nullptr;
    const bool opened = e2e::WaitFor(5000,
                            [&] {
                                menu = FindPopupMenu(running.process.id());
                                return menu != nullptr || !running.process.running();
                            }) &&
        menu;
    RECT r = {};
    if (menu)
        GetWindowRect(menu, &r);
    report.Check(prefix + "_opens_quit_menu", opened,
        how + "; " + (menu ? "popup menu " + RectText(r) : std::string("no popup menu window of the bar's process")));
    report.Check(prefix + "_leaves_bar_running", BarResponds(running), StateText(running));

    if (!menu)
        return;
    if (!keys) {
        artifacts.RequestScreenshot("quit-menu");
        CheckMenuMatches(report, artifacts, menu, "quit_menu_shows_shut_down_as_bold_default", "quit-menu",
            QuitMenuEntries(), kQuitMenuDefault, "'quit', 'log off', 'restart', bold 'shut down'");
    }
    if (IsWindowVisible(menu)) {
        if (keys)
            e2e::RealKeyPress(0, VK_ESCAPE);
        else
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    bool closed = e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });
    std::string dismissal = keys ? "Escape pressed" : "Escape posted to the menu";
    if (!closed) {
        dismissal += ", menu stayed; WM_CANCELMODE sent";
        PostMessageA(running.bar, WM_CANCELMODE, 0, 0);
        closed = e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });
    }
    report.Check(prefix + "_menu_dismissed_bar_still_runs", closed && BarResponds(running),
        dismissal + ", menu " + (closed ? "closed" : "still open") + "; " + StateText(running));
}

void CheckCloseFromAnotherProgram(e2e::Report& report, RunningBar& running)
{
    if (!running.process.running()) {
        report.Check("close_request_from_another_program_ends_bar", false, "bar not running: " + StateText(running));
        return;
    }
    const unsigned long long sent = e2e::NowMs();
    unsigned long long windowGoneMs = 0;
    PostMessageA(running.bar, WM_CLOSE, 0, 0);
    const bool ended = e2e::WaitFor(8000, [&] {
        if (!windowGoneMs && !IsWindow(running.bar))
            windowGoneMs = e2e::NowMs() - sent;
        return !running.process.running();
    });
    report.Check("close_request_from_another_program_ends_bar", ended,
        (ended ? "bar window gone after " + std::to_string(windowGoneMs) + " ms, process ended after " +
                    std::to_string(e2e::NowMs() - sent) + " ms; "
               : std::string("after 8 s: ")) +
            StateText(running) + (ended ? "" : (FindPopupMenu(running.process.id()) ? ", a popup menu is open" : "")));
}

} // namespace bar_probe
