#include <cstdlib>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

constexpr int kCloseId = bar_ids::about::OKK;
// The box's client area is 5910 x 2190 twips.
constexpr int kAboutWidthPx = 394;
constexpr int kAboutHeightPx = 146;
// How long a box opened for reading is watched for closing by itself.
constexpr int kStaysMs = 7000;

struct AboutSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchAboutBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<AboutSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window) || TextOf(ChildById(window, kCloseId)) != "Close")
        return TRUE;
    search->found = window;
    return FALSE;
}

// The visible window of the bar's process with the "Close" button, or null.
HWND FindAboutBox(const RunningBar& running)
{
    AboutSearch search {running.process.id(), nullptr};
    EnumWindows(MatchAboutBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Shown(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window);
}

bool CloseEnabled(HWND box)
{
    return IsWindowEnabled(ChildById(box, kCloseId)) != 0;
}

// Caption-less, owned by the bar, centred, of its size: what every opening of the box must be.
bool WellFormed(HWND box, HWND bar, std::string& detail)
{
    RECT r = {}, client = {};
    GetWindowRect(box, &r);
    GetClientRect(box, &client);
    const int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    const bool caption = (GetWindowLongA(box, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    const bool owned = GetWindow(box, GW_OWNER) == bar;
    const bool sized = std::abs(client.right - kAboutWidthPx) <= 1 && std::abs(client.bottom - kAboutHeightPx) <= 1;
    detail = std::string(caption ? "with a caption" : "caption-less") + ", " +
        (owned ? "owned by the bar" : "owner " + e2e::Hex(reinterpret_cast<ULONG_PTR>(GetWindow(box, GW_OWNER)))) +
        ", client " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + ", centre off by " +
        std::to_string(dx) + "," + std::to_string(dy) + ", Close " + (CloseEnabled(box) ? "enabled" : "disabled");
    return !caption && owned && sized && std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

// A box opened for reading: there with "Close" enabled, still there after kStaysMs, and gone
// after a real click on "Close".
void CheckBoxStays(e2e::Report& report, const RunningBar& running, const std::string& caseName, const std::string& how)
{
    HWND box = nullptr;
    e2e::WaitFor(5000, [&] { return (box = FindAboutBox(running)) != nullptr; });
    std::string form;
    const bool formed = box && WellFormed(box, running.bar, form);
    const bool enabled = box && CloseEnabled(box);
    const bool closedEarly = box && e2e::WaitFor(kStaysMs, [&] { return !Shown(box); });
    report.Check(caseName, formed && enabled && !closedEarly,
        how +
            (box ? "; box " + form + (closedEarly ? ", closed by itself within 7 s" : ", still there after 7 s")
                 : "; no about box within 5 s"));
    if (!box || closedEarly)
        return;
    const bool clicked = e2e::RealLeftClickAt(e2e::CentreOnScreen(ChildById(box, kCloseId)));
    const bool closed = clicked && e2e::WaitFor(3000, [&] { return !Shown(box); });
    report.Check(caseName + "_close_button_closes_it", closed,
        !clicked     ? "SendInput failed"
            : closed ? "box gone after the click"
                     : "box still there 3 s after the click");
}

// Pixels of the icon's square (240, 240, 480 x 480 twips of the client area) that are not white.
int IconInkPixels(HWND box, const e2e::Image& image)
{
    RECT r = {};
    GetWindowRect(box, &r);
    POINT client = {0, 0};
    ClientToScreen(box, &client);
    const int left = client.x - r.left + 16, top = client.y - r.top + 16;
    int ink = 0;
    for (int y = top; y < top + 32 && y < image.height; ++y)
        for (int x = left; x < left + 32 && x < image.width; ++x)
            ink += image.At(x, y) != RGB(255, 255, 255);
    return ink;
}

bool HasButton(HWND bar, const std::string& caption)
{
    return Contains(Captions(VisibleTaskButtons(bar)), caption);
}

} // namespace

void CheckAboutBox(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "about", {}, 30000);
    if (!report.Check("about_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    const unsigned long long launched = e2e::NowMs() - running->startMs;
    HWND splash = nullptr;
    e2e::WaitFor(3000, [&] { return (splash = FindAboutBox(*running)) != nullptr; });
    const unsigned long long seen = e2e::NowMs();
    std::string form;
    const bool formed = splash && WellFormed(splash, running->bar, form);
    report.Check("splash_at_start_with_close_disabled", formed && !CloseEnabled(splash),
        splash ? "box " + form : "no about box of the bar's process after the bar came up");
    if (!splash)
        return;
    const e2e::Image picture = CaptureWhenSteady(splash, 2000);
    const int ink = picture.empty() ? 0 : IconInkPixels(splash, picture);
    report.Check("about_box_shows_its_icon_on_white", ink >= 200,
        std::to_string(ink) + " of the icon square's 1024 pixels are not white; image " +
            artifacts.SaveImage("about-splash", picture));
    artifacts.RequestScreenshot("about-splash-screen");
    const bool gone = e2e::WaitFor(10000, [&] { return !Shown(splash); });
    const unsigned long long afterSeen = e2e::NowMs() - seen;
    report.Check("splash_closes_itself_after_5_s", gone && afterSeen >= 4000 && afterSeen <= 8000,
        gone ? "gone " + std::to_string(afterSeen) + " ms after it was first seen, " +
                std::to_string(e2e::NowMs() - launched) + " ms after the bar's process started"
             : "still there 10 s after it was first seen");

    BarPopup popup(*running);
    const std::string chosen = popup.Choose(bar_ids::SSETTS, MainMenuKeys("about..."));
    CheckBoxStays(report, *running, "menu_about_opens_box_that_stays",
        chosen.empty() ? "'about...' chosen in the main menu" : chosen);

    SetForegroundWindow(running->bar);
    const bool front = e2e::WaitFor(3000, [&] { return GetForegroundWindow() == running->bar; });
    const bool pressed = e2e::RealKeyPress(0, VK_F1);
    CheckBoxStays(report, *running, "f1_opens_box_that_stays",
        std::string(pressed ? "F1 pressed" : "SendInput failed") +
            (front ? " with the bar in front" : ", but the bar never came to the front"));
}

void CheckMainMenu(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "menus", {}, 30000);
    if (!report.Check("menus_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    const HWND bar = running->bar;
    BarPopup popup(*running);
    std::string opened = popup.Open(bar_ids::SSETTS);
    if (opened.empty())
        CheckMenuMatches(report, artifacts, popup.window(), "main_menu_entries_with_control_panel_bold_and_greyed",
            "main-menu", MainMenuEntries(), kMainMenuDefault,
            "'about...<tab>F1', 'programs', ..., grey 'full height', 'quit' with bold grey 'control panel'");
    else
        report.Check("main_menu_entries_with_control_panel_bold_and_greyed", false, opened);

    std::string chosen = popup.Choose(bar_ids::SSETTS, MainMenuKeys("show tasks"));
    HWND manager = nullptr;
    const bool shown = chosen.empty() && e2e::WaitFor(5000, [&] {
        return (manager = FindVisibleWindowOf(running->process.id(), "Task Manager")) != nullptr;
    });
    report.Check("show_tasks_by_keyboard_opens_task_manager", shown,
        !chosen.empty() ? chosen
            : shown     ? "window " + e2e::DescribeWindow(manager)
                        : "no visible 'Task Manager' window of the bar's process within 5 s");

    // Asleep, the refresh stands still: a new window gets no button until the bar is woken.
    chosen = popup.Choose(bar_ids::SSETTS, MainMenuKeys("sleep mode"));
    win32kit::UniqueWindow sleeper = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Sleeper");
    e2e::ShowWithoutActivating(sleeper.get());
    const bool buttonWhileAsleep = chosen.empty() && e2e::WaitFor(5000, [&] { return HasButton(bar, "E2E Sleeper"); });
    report.Check("asleep_new_window_gets_no_button_for_5_s", chosen.empty() && !buttonWhileAsleep,
        !chosen.empty() ? chosen
            : buttonWhileAsleep
            ? "a button for 'E2E Sleeper' appeared while asleep"
            : "no button for 'E2E Sleeper' in 5 s; buttons " + ListText(Captions(VisibleTaskButtons(bar))));

    chosen = popup.Choose(bar_ids::SSETTS, MainMenuKeys("sleep mode"));
    const unsigned long long woken = e2e::NowMs();
    const bool buttonAfterWaking =
        chosen.empty() && e2e::WaitFor(kOneRefreshMs, [&] { return HasButton(bar, "E2E Sleeper"); });
    report.Check("woken_new_window_gets_its_button_within_one_refresh", buttonAfterWaking,
        !chosen.empty()         ? chosen
            : buttonAfterWaking ? "button after " + std::to_string(e2e::NowMs() - woken) + " ms"
                                : "no button within " + std::to_string(kOneRefreshMs) + " ms; buttons " +
                ListText(Captions(VisibleTaskButtons(bar))));
}

} // namespace bar_probe
