// The settings window on the real bar: opened by each caller on its page, its interval box
// driven by keys and spin arrows, "Save" read back from the registry with reg.exe byte for byte,
// a restart showing and applying the stored values, and closing once another window is in front.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <sstream>

#include "bar/BarIds.h"
#include "settings/SettingsIds.h"
#include "settings/SetupRules.h"
#include "tasks/TaskIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

namespace s = settings_ids;

// A page and the gap below it, and the button bar, at 15 twips to the pixel.
constexpr int kPitchPx = static_cast<int>(settings::kPageHeight + settings::kPageGap) / 15;
constexpr int kButtonBarPx = static_cast<int>(settings::kButtonBarHeight) / 15;

HWND FindSettings(const RunningBar& running)
{
    return FindVisibleWindowOf(running.process.id(), "Settings");
}

// The digits of the pages that show, "0123" for all of them.
std::string PagesShown(HWND window)
{
    std::string shown;
    for (int i = 0; i < 4; ++i)
        if (IsWindowVisible(ChildById(window, s::SetupPage_0 + i)))
            shown += static_cast<char>('0' + i);
    return shown;
}

int ClientHeight(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return r.bottom;
}

// The window of `control` in front before real input goes to it: a click or key that reaches
// another window would be lost, or go elsewhere.
void InFront(HWND control)
{
    const HWND root = GetAncestor(control, GA_ROOT);
    if (GetForegroundWindow() == root)
        return;
    SetForegroundWindow(root);
    e2e::WaitFor(2000, [&] { return GetForegroundWindow() == root; });
}

bool ClickCentre(HWND control)
{
    if (!control)
        return false;
    InFront(control);
    return e2e::RealLeftClickAt(e2e::CentreOnScreen(control));
}

bool Checked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Opens the window with `gesture` and waits for the pages `pages` ("2", "0123") to show, in a
// client area of their height, centred; "" or what was seen.
std::string OpenOn(
    const RunningBar& running, const std::string& pages, const std::function<std::string()>& gesture, HWND& window)
{
    const std::string failed = gesture();
    if (!failed.empty())
        return failed;
    const int height = static_cast<int>(pages.size()) * kPitchPx + kButtonBarPx;
    const bool shown = e2e::WaitFor(5000, [&] {
        window = FindSettings(running);
        return window && PagesShown(window) == pages && std::abs(ClientHeight(window) - height) <= 1;
    });
    if (!window)
        return "no visible 'Settings' window of the bar's process within 5 s";
    RECT r = {};
    GetWindowRect(window, &r);
    const int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    const std::string seen = "pages '" + PagesShown(window) + "', client height " +
        std::to_string(ClientHeight(window)) + " (want " + std::to_string(height) + "), centre off by " +
        std::to_string(dx) + "," + std::to_string(dy) + ", More... " +
        (IsWindowVisible(ChildById(window, s::BMore)) ? "shown" : "hidden");
    const bool centred = std::abs(dx) <= 2 && std::abs(dy) <= 2;
    const bool moreRight = IsWindowVisible(ChildById(window, s::BMore)) == (pages.size() == 1);
    return shown && centred && moreRight ? "" : "window, but " + seen;
}

// Real keys into a focused box, then waits for the text it should show; "" or what it showed.
std::string TypeInto(HWND box, const std::vector<WORD>& keys, const std::string& want)
{
    if (!ClickCentre(box))
        return "SendInput failed";
    e2e::WaitFor(2000, [&] { return GetFocus() == box || GetForegroundWindow() == GetAncestor(box, GA_ROOT); });
    for (WORD key : keys)
        e2e::RealKeyPress(0, key);
    return e2e::WaitFor(3000, [&] { return TypedText(box) == want; }) ? "" : "shows '" + TypedText(box) + "'";
}

// Clicks the upper or lower arrow of a vertical scroll bar and waits for the box's text.
std::string Spin(HWND bar, bool up, HWND box, const std::string& want)
{
    InFront(bar);
    RECT r = {};
    GetWindowRect(bar, &r);
    const POINT at = {(r.left + r.right) / 2, up ? r.top + 3 : r.bottom - 4};
    if (!e2e::RealLeftClickAt(at))
        return "SendInput failed";
    return e2e::WaitFor(3000, [&] { return TypedText(box) == want; })
        ? ""
        : std::string(up ? "up" : "down") + " arrow: box shows '" + TypedText(box) + "', want '" + want + "'";
}

// A real click on item `index` of a list box scrolled to its top.
bool ClickListItem(HWND list, int index)
{
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    POINT at = {20, index * height + height / 2};
    ClientToScreen(list, &at);
    return height > 0 && e2e::RealLeftClickAt(at);
}

std::string VisiblePreviews(HWND window)
{
    std::string shown;
    for (int i = 0; i <= 10; ++i)
        if (IsWindowVisible(ChildById(window, s::PREV_0 + i)))
            shown += (shown.empty() ? "" : ",") + std::to_string(i);
    return shown;
}

// The bar stands free against the right screen edge, vertically centred.
bool FlushRight(HWND bar, std::string& detail)
{
    RECT r = {};
    GetWindowRect(bar, &r);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    detail = "bar at " + std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
        std::to_string(r.bottom) + " on a " + std::to_string(screenWidth) + "x" + std::to_string(screenHeight) +
        " screen";
    return std::abs(r.right - screenWidth) <= 1 && std::abs((r.top + r.bottom) / 2 - screenHeight / 2) <= 2;
}

} // namespace

void CheckSettingsWindow(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "setup", {}, 30000);
    if (!report.Check("setup_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    const HWND bar = running->bar;
    BarPopup popup(*running);
    HWND window = nullptr;

    // Each caller, on its page.
    std::string seen = OpenOn(
        *running, "2",
        [&] {
            return popup.Choose(bar_ids::TIM1, KeysTo({{MemoryMenuEntries(), "settings"}}), true);
        },
        window);
    report.Check("memory_menu_opens_settings_on_the_memory_page", seen.empty(), seen.empty() ? "page 2 alone" : seen);
    if (window)
        artifacts.RequestScreenshot("settings-memory-page");
    if (seen.empty()) {
        const HWND amount = ChildById(window, s::AUTOMEMAX);
        std::string typed = TypeInto(amount, {VK_END, VK_BACK, VK_BACK, VK_BACK, VK_BACK, 'X', '1', '2', '8'}, "128");
        const bool checked = ClickCentre(ChildById(window, s::AUTOMEMCHECK)) &&
            e2e::WaitFor(2000, [&] { return Checked(ChildById(window, s::AUTOMEMCHECK)); });
        ClickCentre(ChildById(window, s::BX1));
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        const std::string differs = StoredSettingsDiffer(
            {{"Mem_FreeUp", "00 00 00 80"}, {"Mem_FreeUpAuto", "00 00 00 01"}, {"Mem_FreeUpIfBelow", "00 00 00 08"}});
        const std::string others = StoredSetting("General_RefreshInterval") + "/" + StoredSetting("Align_Position");
        report.Check("memory_page_save_writes_exactly_its_group",
            typed.empty() && checked && differs.empty() && others == "no value/no value",
            typed.empty() && checked ? (differs.empty() ? "Mem_FreeUp 00 00 00 80, Mem_FreeUpAuto 00 00 00 01, "
                                                          "Mem_FreeUpIfBelow 00 00 00 08; other groups: " +
                                                   others
                                                        : differs)
                                     : "free-up box " + typed + (checked ? "" : "; the check box did not check"));
    }

    seen = OpenOn(
        *running, "1",
        [&] {
            return popup.Choose(bar_ids::TIM3, KeysTo({{CounterMenuEntries(), "settings"}}), true);
        },
        window);
    report.Check(
        "task_counter_menu_opens_settings_on_the_alignment_page", seen.empty(), seen.empty() ? "page 1 alone" : seen);
    if (seen.empty()) {
        const bool clicked = ClickListItem(ChildById(window, s::ALLIST), 2);
        const bool previewed = clicked && e2e::WaitFor(3000, [&] { return VisiblePreviews(window) == "2"; });
        artifacts.RequestScreenshot("settings-alignment-page");
        ClickCentre(ChildById(window, s::BX1));
        std::string where;
        const bool moved = e2e::WaitFor(3000, [&] { return FlushRight(bar, where); });
        const std::string differs = StoredSettingsDiffer({{"Align_Position", "00 00 00 02"}});
        report.Check("fixed_right_previews_saves_and_stands_against_the_right_edge",
            previewed && moved && differs.empty(),
            std::string(previewed ? "preview 2 alone" : "previews shown: '" + VisiblePreviews(window) + "'") + "; " +
                where + "; " + (differs.empty() ? "Align_Position 00 00 00 02" : differs));
    }

    seen = OpenOn(
        *running, "0123",
        [&] {
            // On the bar's own background, below the task buttons.
            RECT client = {};
            GetClientRect(bar, &client);
            const LPARAM at = MAKELPARAM(4, client.bottom / 2);
            PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(bar, WM_LBUTTONUP, 0, at);
            PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageA(bar, WM_LBUTTONUP, 0, at);
            return std::string();
        },
        window);
    report.Check("double_click_on_the_bar_opens_all_four_pages", seen.empty(), seen.empty() ? "pages 0123" : seen);

    seen = OpenOn(
        *running, "0123", [&] { return popup.Choose(bar_ids::SSETTS, MainMenuKeys("settings")); }, window);
    report.Check("main_menu_settings_opens_all_four_pages", seen.empty(), seen.empty() ? "pages 0123" : seen);
    if (!seen.empty())
        return;
    artifacts.RequestScreenshot("settings-all-pages");

    // The interval box: keys, then the spin arrows.
    const HWND interval = ChildById(window, s::RefInterval), arrows = ChildById(window, s::RefScroll);
    std::string steps;
    const auto step = [&](const std::string& failed) {
        if (!failed.empty() && steps.empty())
            steps = failed;
    };
    step(TypeInto(interval, {VK_END, VK_BACK, VK_BACK, 'Q', '1', '6'}, "15"));
    step(Spin(arrows, false, interval, "14"));
    step(Spin(arrows, true, interval, "15"));
    step(Spin(arrows, true, interval, "15"));
    step(TypeInto(interval, {VK_END, VK_BACK, VK_BACK, '0'}, ""));
    step(Spin(arrows, true, interval, "1"));
    step(Spin(arrows, false, interval, ""));
    step(Spin(arrows, true, interval, "1"));
    step(Spin(arrows, true, interval, "2"));
    step(Spin(arrows, true, interval, "3"));
    report.Check("interval_box_takes_digits_and_spin_arrows_within_1_to_15", steps.empty(),
        steps.empty() ? "'Q16' shows 15; down 14, up 15, up stays 15; '0' empties; up 1, down empty, up to 3" : steps);

    const bool ticked = ClickCentre(ChildById(window, s::HTASK)) && ClickCentre(ChildById(window, s::MUSE)) &&
        ClickCentre(ChildById(window, s::MONTASKS)) && ClickCentre(ChildById(window, s::TASKNB)) &&
        ClickCentre(ChildById(window, s::MCLICK_0 + 1)) && e2e::WaitFor(2000, [&] {
            return Checked(ChildById(window, s::HTASK)) && Checked(ChildById(window, s::MUSE)) &&
                Checked(ChildById(window, s::MONTASKS)) && Checked(ChildById(window, s::TASKNB)) &&
                Checked(ChildById(window, s::MCLICK_0 + 1)) && !Checked(ChildById(window, s::MCLICK_0));
        });
    ClickCentre(ChildById(window, s::BX1));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    const std::vector<std::pair<std::string, std::string>> all = {{"General_HideInTaskManager", "00 00 00 01"},
        {"General_DisableTaskManager", "00 00 00 00"}, {"General_RefreshInterval", "00 00 00 03"},
        {"Tasks_EnableTaskManagement", "00 00 00 00"}, {"Tasks_LearningMode", "00 00 00 00"},
        {"Tasks_BlockNew", "00 00 00 00"}, {"Mem_FreeUp", "00 00 00 80"}, {"Mem_FreeUpAuto", "00 00 00 01"},
        {"Mem_FreeUpIfBelow", "00 00 00 08"}, {"Align_Position", "00 00 00 02"}, {"IR_EnableIRSupport", "00 00 00 01"},
        {"IR_LearningMode", "00 00 00 00"}, {"General_TasksOfBarMonitorOnly", "00 00 00 01"},
        {"General_TaskNeighbours", "00 00 00 01"}, {"General_MiddleClick", "00 00 00 01"}};
    std::string differs = StoredSettingsDiffer(all);
    report.Check("all_pages_save_writes_every_value", ticked && differs.empty(),
        !ticked               ? "the check boxes did not check"
            : differs.empty() ? std::to_string(all.size()) + " values as shown"
                              : differs);

    // Another window in front closes it within one tick of its timer.
    win32kit::UniqueWindow other = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E In Front");
    ShowWindow(other.get(), SW_SHOW);
    SetForegroundWindow(other.get());
    const unsigned long long front = e2e::NowMs();
    const bool closed = e2e::WaitFor(4000, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
    const unsigned long long took = e2e::NowMs() - front;
    report.Check("another_window_in_front_closes_settings_within_2_s", closed && took <= 2300,
        closed ? "closed " + std::to_string(took) + " ms after another window came to the front"
               : "still open 4 s after another window came to the front");

    // A restart shows what was stored and applies it.
    running->process.Kill();
    running = LaunchBar(tolvixExe, "setup-again", {}, 30000);
    if (!report.Check("setup_bar_starts_again", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    std::string where;
    const bool placed = e2e::WaitFor(5000, [&] { return FlushRight(running->bar, where); });
    std::string measured;
    const long long intervalMs = MeasureRefreshMs(running->bar, measured);
    report.Check("restart_applies_stored_alignment_and_interval", placed && intervalMs >= 2500 && intervalMs <= 3600,
        where + "; refresh every " + measured);

    BarPopup again(*running);
    seen = OpenOn(
        *running, "0123", [&] { return again.Choose(bar_ids::SSETTS, MainMenuKeys("settings")); }, window);
    const std::string shown = window ? "interval '" + TypedText(ChildById(window, s::RefInterval)) + "', free up '" +
            TypedText(ChildById(window, s::AUTOMEMAX)) + "', threshold '" + TypedText(ChildById(window, s::AUTOMEMIN)) +
            "', alignment " + std::to_string(SendMessageA(ChildById(window, s::ALLIST), LB_GETCURSEL, 0, 0)) +
            ", hide " + (Checked(ChildById(window, s::HTASK)) ? "on" : "off") + ", auto " +
            (Checked(ChildById(window, s::AUTOMEMCHECK)) ? "on" : "off") + ", IR " +
            (Checked(ChildById(window, s::MUSE)) ? "on" : "off") + ", learning " +
            (Checked(ChildById(window, s::LRNM)) ? "on" : "off")
                                     : seen;
    report.Check("restart_shows_the_stored_values",
        seen.empty() &&
            shown == "interval '3', free up '128', threshold '8', alignment 2, hide on, auto on, IR on, learning off",
        shown);
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
