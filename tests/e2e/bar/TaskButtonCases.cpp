#include "tests/e2e/bar/TaskButtonCases.h"

#include <algorithm>
#include <cstdlib>

#include "bar/ControlIds.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/DesktopTasks.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScreenCapture.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

using e2e::UniqueWindow;
using e2e::WindowKind;

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top) + ")";
}

std::vector<std::string> TitlesInZOrder(const std::vector<HWND>& windows) {
    std::vector<std::string> titles;
    for (HWND h : TopLevelWindowsInZOrder())
        if (std::find(windows.begin(), windows.end(), h) != windows.end()) titles.push_back(TitleOf(h));
    return titles;
}

std::string ForegroundText() {
    const HWND foreground = GetForegroundWindow();
    return foreground ? e2e::DescribeWindow(foreground) : "none";
}

const Control* ButtonFor(const std::vector<Control>& buttons, const char* caption) {
    return FindButton(buttons, caption);
}

} // namespace

void CheckBarBasics(e2e::Report& report, const RunningBar& running) {
    const HWND bar = running.bar;
    LONG ex = 0;
    const bool topmost = e2e::WaitFor(3000, [&] {
        ex = GetWindowLongA(bar, GWL_EXSTYLE);
        return (ex & WS_EX_TOPMOST) != 0;
    });
    report.Check("bar_is_topmost", topmost, "extended style " + e2e::Hex(static_cast<unsigned long>(ex)));

    const std::vector<Control> controls = ReadControls(bar);
    const Control* logo = FindControl(controls, bar_ids::OEMLOGO);
    report.Check("logo_hidden_without_bmp", logo && !logo->visible,
                 logo ? std::string("OEMLOGO ") + (logo->visible ? "visible " : "hidden ") + RectText(logo->inBar)
                      : "no control with id OEMLOGO among " + std::to_string(controls.size()) + " child windows");

    const int designedLeft = TwipsToPixelsX(120);
    const std::vector<Control> elements = TaskButtonElements(controls);
    std::string lefts;
    bool allAtDesign = !elements.empty();
    for (const Control& c : elements) {
        lefts += " " + std::to_string(c.inBar.left);
        allAtDesign = allAtDesign && std::abs(c.inBar.left - designedLeft) <= 1;
    }
    report.Check("buttons_at_designed_left_without_bmp", allAtDesign,
                 "expected left " + std::to_string(designedLeft) + " px, task button elements " +
                     std::to_string(elements.size()) + " with left edges" + (lefts.empty() ? " (none)" : lefts));
}

void CheckButtonOrder(e2e::Report& report, const RunningBar& running, TestDesk& desk) {
    const HWND bar = running.bar;
    const std::vector<std::string> abc = {TestDesk::kAlpha, TestDesk::kBravo, TestDesk::kCharlie};

    desk.alpha = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kAlpha);
    desk.bravo = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kBravo);
    desk.charlie = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kCharlie);
    // Shown back to back without activation, so one refresh sees all three in creation Z order.
    e2e::ShowWithoutActivating(desk.alpha.get());
    e2e::ShowWithoutActivating(desk.bravo.get());
    e2e::ShowWithoutActivating(desk.charlie.get());
    const std::vector<std::string> zOrder = TitlesInZOrder({desk.alpha.get(), desk.bravo.get(), desk.charlie.get()});

    std::vector<std::string> seen;
    const unsigned long long shown = e2e::NowMs();
    const bool appeared =
        WaitForCaptions(bar, kRefreshDeadlineMs, [&](const auto& c) { return Only(c, abc).size() == 3; }, seen);
    report.Check("buttons_appear_for_new_windows", appeared,
                 (appeared ? "after " + std::to_string(e2e::NowMs() - shown) + " ms, " : std::string("not within 6 s, ")) +
                     "buttons " + ListText(seen));
    report.Check("buttons_follow_z_order", appeared && Only(seen, abc) == zOrder,
                 "windows topmost first " + ListText(zOrder) + ", buttons " + ListText(Only(seen, abc)));

    // Bravo closes and Delta opens: Bravo's button goes, Delta's joins at the end.
    std::vector<std::string> expected = Only(seen, abc);
    expected.erase(std::remove(expected.begin(), expected.end(), TestDesk::kBravo), expected.end());
    expected.push_back(TestDesk::kDelta);
    const std::vector<std::string> acd = {TestDesk::kAlpha, TestDesk::kCharlie, TestDesk::kDelta};

    const unsigned long long closed = e2e::NowMs();
    desk.bravo.reset();
    desk.delta = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kDelta);
    e2e::ShowWithoutActivating(desk.delta.get());
    unsigned long long bravoGoneMs = 0;
    const bool merged = WaitForCaptions(bar, kRefreshDeadlineMs, [&](const auto& c) {
        if (!bravoGoneMs && !Contains(c, TestDesk::kBravo)) bravoGoneMs = e2e::NowMs() - closed;
        return bravoGoneMs && Contains(c, TestDesk::kDelta);
    }, seen);
    report.Check("closed_window_button_goes_within_one_refresh", bravoGoneMs && bravoGoneMs <= kOneRefreshMs,
                 bravoGoneMs ? "gone after " + std::to_string(bravoGoneMs) + " ms (limit " +
                                   std::to_string(kOneRefreshMs) + "), buttons " + ListText(seen)
                             : "still there after 6 s: " + ListText(seen));
    report.Check("new_window_button_appended_at_end",
                 merged && Only(seen, acd) == expected && !seen.empty() && seen.back() == TestDesk::kDelta,
                 "expected " + ListText(expected) + " with Delta last, buttons " + ListText(seen));
}

void CheckTaskFilter(e2e::Report& report, const RunningBar& running, TestDesk& desk) {
    const HWND bar = running.bar;
    auto emptyCount = [](const std::vector<std::string>& c) { return std::count(c.begin(), c.end(), std::string()); };
    const auto emptyBefore = emptyCount(Captions(VisibleTaskButtons(bar)));

    desk.longTitleText = "E2E Long Title ";
    while (desk.longTitleText.size() < 300) desk.longTitleText += static_cast<char>('a' + desk.longTitleText.size() % 26);
    const std::string longCaption = desk.longTitleText.substr(0, 255);

    // The windows that must get no button are shown first: the refresh that shows the owned
    // app window's button has seen them all.
    desk.tool = e2e::CreateTestWindow(WindowKind::Tool, TestDesk::kTool);
    desk.ownedPopup = e2e::CreateTestWindow(WindowKind::OwnedPopup, TestDesk::kOwnedPopup, desk.delta.get());
    desk.untitled = e2e::CreateTestWindow(WindowKind::Normal, "");
    desk.longTitle = e2e::CreateTestWindow(WindowKind::Normal, desk.longTitleText);
    desk.ownedApp = e2e::CreateTestWindow(WindowKind::OwnedAppWindow, TestDesk::kOwnedApp, desk.delta.get());
    for (HWND h : {desk.tool.get(), desk.ownedPopup.get(), desk.untitled.get(), desk.longTitle.get(), desk.ownedApp.get()})
        e2e::ShowWithoutActivating(h);

    std::vector<std::string> seen;
    const bool settled = WaitForCaptions(bar, kRefreshDeadlineMs, [&](const auto& c) {
        return Contains(c, TestDesk::kOwnedApp) && Contains(c, longCaption) && emptyCount(c) > emptyBefore;
    }, seen);
    const std::string buttons =
        "buttons " + ListText(seen) +
        (settled ? "" : " (the windows that must get buttons did not all get one within 6 s, so it is unknown whether the bar judged this one yet)");
    report.Check("owned_app_window_gets_a_button", Contains(seen, TestDesk::kOwnedApp),
                 e2e::DescribeWindow(desk.ownedApp.get()) + "; " + buttons);
    report.Check("tool_window_gets_no_button", settled && !Contains(seen, TestDesk::kTool),
                 e2e::DescribeWindow(desk.tool.get()) + "; " + buttons);
    report.Check("owned_popup_gets_no_button", settled && !Contains(seen, TestDesk::kOwnedPopup),
                 e2e::DescribeWindow(desk.ownedPopup.get()) + "; " + buttons);
    report.Check("untitled_window_gets_an_empty_button", emptyCount(seen) == emptyBefore + 1,
                 "empty captions before " + std::to_string(emptyBefore) + ", now " +
                     std::to_string(emptyCount(seen)) + "; " + buttons);
    const std::vector<Control> visible = VisibleTaskButtons(bar);
    std::string longSeen = "no button starting 'E2E Long Title'";
    for (const Control& c : visible)
        if (c.text.rfind("E2E Long Title", 0) == 0) longSeen = "caption of " + std::to_string(c.text.size()) + " characters";
    report.Check("long_title_shows_first_255_characters", Contains(seen, longCaption),
                 "title of 300 characters; " + longSeen);

    // The whole list against the probe's own reading of the desktop with the same rule.
    std::vector<std::string> expected;
    const bool same = e2e::WaitFor(kRefreshDeadlineMs, [&] {
        expected = ExpectedTaskTitles(bar);
        seen = Captions(VisibleTaskButtons(bar));
        std::vector<std::string> a = expected, b = seen;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        return a == b;
    });
    report.Check("buttons_match_desktop_tasks", same,
                 "task windows on the desktop " + ListText(expected) + ", buttons " + ListText(seen));
    report.Check("bar_has_no_button_of_its_own", !Contains(seen, "Tolvane"), "buttons " + ListText(seen));
}

void CheckClicks(e2e::Report& report, const RunningBar& running, TestDesk& desk) {
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
        const Control* c = ButtonFor(buttons, TestDesk::kAlpha);
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
    if (button) e2e::PostLeftClick(button);
    const bool forward = button && e2e::WaitFor(kOneRefreshMs, [&] { return GetForegroundWindow() == alpha; });
    report.Check("left_click_brings_background_task_forward", forward,
                 button ? "foreground now " + ForegroundText() : "no button for Alpha");

    // The bar minimises only the task it saw as foreground: wait until its button says so.
    const bool alphaLit = forward && e2e::WaitFor(kRefreshDeadlineMs, [&] { return ButtonHighlighted(bar, TestDesk::kAlpha); });
    button = alphaButton();
    if (alphaLit && button) e2e::PostLeftClick(button);
    const bool minimised = alphaLit && button && e2e::WaitFor(kOneRefreshMs, [&] { return IsIconic(alpha) != 0; });
    report.Check("left_click_on_foreground_task_minimises_it", minimised,
                 alphaLit ? std::string("Alpha ") + (IsIconic(alpha) ? "minimised" : "not minimised") + ", foreground " + ForegroundText()
                          : "Alpha's button never showed the highlight; " + colours());

    // Windows hands the activation on when the foreground window is minimised; Wine on a bare
    // X display keeps it on the minimised window, so hand it on here as Windows would.
    std::string handOver;
    if (minimised && GetForegroundWindow() == alpha) {
        SetForegroundWindow(charlie);
        handOver = "(activation handed to Charlie after the minimise) ";
    }
    const bool alphaUnlit = minimised && e2e::WaitFor(kRefreshDeadlineMs, [&] { return ButtonPlain(bar, TestDesk::kAlpha); });
    button = alphaButton();
    if (alphaUnlit && button) e2e::PostLeftClick(button);
    const bool restored = alphaUnlit && button && e2e::WaitFor(kOneRefreshMs, [&] {
        return !IsIconic(alpha) && GetForegroundWindow() == alpha;
    });
    report.Check("left_click_restores_minimised_task", restored,
                 minimised ? handOver + "Alpha " + (IsIconic(alpha) ? "minimised" : "restored") + ", foreground " + ForegroundText() + "; " + colours()
                           : "skipped: Alpha was not minimised");

    // The same switch with real mouse input: the click must reach the button through the
    // platform's hit testing.
    SetForegroundWindow(charlie);
    const bool ready = e2e::WaitFor(kRefreshDeadlineMs, [&] {
        return GetForegroundWindow() == charlie && ButtonHighlighted(bar, TestDesk::kCharlie);
    });
    button = alphaButton();
    const bool clicked = ready && button && e2e::RealLeftClickAt(e2e::CentreOnScreen(button));
    const bool switched = clicked && e2e::WaitFor(kOneRefreshMs, [&] { return GetForegroundWindow() == alpha; });
    report.Check("real_mouse_click_switches_task", switched,
                 !ready ? "Charlie not foreground and highlighted; " + colours()
                        : !clicked ? "SendInput failed: " + e2e::LastErrorText() : "foreground now " + ForegroundText());
}

void CheckRightClick(e2e::Report& report, const RunningBar& running, Artifacts& artifacts) {
    const std::vector<Control> buttons = VisibleTaskButtons(running.bar);
    const Control* button = ButtonFor(buttons, TestDesk::kCharlie);
    if (button) e2e::PostRightClick(button->window);
    HWND menu = nullptr;
    const bool opened = button && e2e::WaitFor(5000, [&] {
        menu = FindPopupMenu(running.process.id());
        return menu != nullptr;
    });
    report.Check("right_click_opens_task_menu", opened,
                 !button ? "no button for Charlie" : opened ? "popup menu open" : "no popup menu window of the bar's process");
    if (!opened) return;
    CheckMenuMatches(report, artifacts, menu, "task_menu_has_restore_as_bold_default", "task-menu", TaskMenuEntries(),
                     kTaskMenuDefault, "bold 'restore', grey 'move' and 'size', ..., 'advanced' submenu, 'close'");
    const bool closed = e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });
    if (!closed) PostMessageA(running.bar, WM_CANCELMODE, 0, 0);
}

} // namespace bar_probe
