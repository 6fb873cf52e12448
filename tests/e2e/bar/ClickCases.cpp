#include "tests/e2e/bar/ClickCases.h"

#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScreenCapture.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

std::string ForegroundText()
{
    const HWND foreground = GetForegroundWindow();
    return foreground ? e2e::DescribeWindow(foreground) : "none";
}

} // namespace

void CheckClicks(e2e::Report& report, const RunningBar& running, TestDesk& desk)
{
    const HWND bar = running.bar;
    const HWND alpha = desk.alpha.get();
    const HWND charlie = desk.charlie.get();
    auto colours = [&] {
        return std::string("Alpha button ") + e2e::ColourText(ButtonBackground(bar, TestDesk::kAlpha)) +
            ", Charlie button " + e2e::ColourText(ButtonBackground(bar, TestDesk::kCharlie)) + " (highlight " +
            e2e::ColourText(GetSysColor(COLOR_HIGHLIGHT)) + ", button face " +
            e2e::ColourText(GetSysColor(COLOR_BTNFACE)) + ")";
    };
    auto alphaButton = [&]() -> HWND {
        const std::vector<Control> buttons = VisibleTaskButtons(bar);
        const Control* c = FindButton(buttons, TestDesk::kAlpha);
        return c ? c->window : nullptr;
    };

    SetForegroundWindow(charlie);
    const bool charlieFront = e2e::WaitFor(3000, [&] { return GetForegroundWindow() == charlie; });
    const bool highlighted = charlieFront && e2e::WaitFor(kRefreshDeadlineMs, [&] {
        return ButtonHighlighted(bar, TestDesk::kCharlie) && ButtonPlain(bar, TestDesk::kAlpha);
    });
    report.Check("foreground_task_button_highlighted", highlighted,
        (charlieFront ? "Charlie is foreground; " : "could not make Charlie foreground (" + ForegroundText() + "); ") +
            colours());

    HWND button = alphaButton();
    if (button)
        e2e::PostLeftClick(button);
    const bool forward = button && e2e::WaitFor(kOneRefreshMs, [&] { return GetForegroundWindow() == alpha; });
    report.Check("left_click_brings_background_task_forward", forward,
        button ? "foreground now " + ForegroundText() : "no button for Alpha");

    // The bar minimises only the task it saw as foreground: wait until its button says so.
    const bool alphaLit =
        forward && e2e::WaitFor(kRefreshDeadlineMs, [&] { return ButtonHighlighted(bar, TestDesk::kAlpha); });
    button = alphaButton();
    if (alphaLit && button)
        e2e::PostLeftClick(button);
    const bool minimised = alphaLit && button && e2e::WaitFor(kOneRefreshMs, [&] { return IsIconic(alpha) != 0; });
    report.Check("left_click_on_foreground_task_minimises_it", minimised,
        alphaLit ? std::string("Alpha ") + (IsIconic(alpha) ? "minimised" : "not minimised") + ", foreground " +
                ForegroundText()
                 : "Alpha's button never showed the highlight; " + colours());

    // Windows hands the activation on when the foreground window is minimised; Wine on a bare
    // X display keeps it on the minimised window, so hand it on here as Windows would.
    std::string handOver;
    if (minimised && GetForegroundWindow() == alpha) {
        SetForegroundWindow(charlie);
        handOver = "(activation handed to Charlie after the minimise) ";
    }
    const bool alphaUnlit =
        minimised && e2e::WaitFor(kRefreshDeadlineMs, [&] { return ButtonPlain(bar, TestDesk::kAlpha); });
    button = alphaButton();
    if (alphaUnlit && button)
        e2e::PostLeftClick(button);
    const bool restored = alphaUnlit && button &&
        e2e::WaitFor(kOneRefreshMs, [&] { return !IsIconic(alpha) && GetForegroundWindow() == alpha; });
    report.Check("left_click_restores_minimised_task", restored,
        minimised ? handOver + "Alpha " + (IsIconic(alpha) ? "minimised" : "restored") + ", foreground " +
                ForegroundText() + "; " + colours()
                  : "skipped: Alpha was not minimised");

    // The same switch with real mouse input: the click must reach the button through the
    // platform's hit testing.
    SetForegroundWindow(charlie);
    const bool ready = e2e::WaitFor(kRefreshDeadlineMs,
        [&] { return GetForegroundWindow() == charlie && ButtonHighlighted(bar, TestDesk::kCharlie); });
    button = alphaButton();
    const bool clicked = ready && button && e2e::RealLeftClickAt(e2e::CentreOnScreen(button));
    const bool switched = clicked && e2e::WaitFor(kOneRefreshMs, [&] { return GetForegroundWindow() == alpha; });
    report.Check("real_mouse_click_switches_task", switched,
        !ready         ? "Charlie not foreground and highlighted; " + colours()
            : !clicked ? "SendInput failed: " + e2e::LastErrorText()
                       : "foreground now " + ForegroundText());
}

void CheckRightClick(e2e::Report& report, const RunningBar& running, Artifacts& artifacts)
{
    const std::vector<Control> buttons = VisibleTaskButtons(running.bar);
    const Control* button = FindButton(buttons, TestDesk::kCharlie);
    if (button)
        e2e::PostRightClick(button->window);
    HWND menu = nullptr;
    const bool opened = button && e2e::WaitFor(5000, [&] {
        menu = FindPopupMenu(running.process.id());
        return menu != nullptr;
    });
    report.Check("right_click_opens_task_menu", opened,
        !button      ? "no button for Charlie"
            : opened ? "popup menu open"
                     : "no popup menu window of the bar's process");
    if (!opened)
        return;
    CheckMenuMatches(report, artifacts, menu, "task_menu_has_restore_as_bold_default", "task-menu", TaskMenuEntries(),
        kTaskMenuDefault, "bold 'restore', grey 'move' and 'size', ..., 'advanced' submenu, 'close'");
    const bool closed = e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });
    if (!closed)
        PostMessageA(running.bar, WM_CANCELMODE, 0, 0);
}

} // namespace bar_probe
