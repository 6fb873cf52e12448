// The bar and its windows with the keyboard alone, keys sent for real (SendInput): the hot key
// brings a docked bar out of its strip onto its first task button, the arrows, Enter and the
// task menu keys on the task buttons, Tab to the menu labels and the run box; then each window
// opened by keys from the bar: the focus it opens with, its Tab order, Enter and Esc.
#include <windows.h>

#include <functional>
#include <vector>

#include "bar/BarIds.h"
#include "infrared/InfraredIds.h"
#include "progmenu/ShortcutIds.h"
#include "settings/SettingsIds.h"
#include "tasks/TaskIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

namespace s = settings_ids;
constexpr int kFirstTask = task_ids::VTASKS_BASE;

bool WaitFocus(HWND window, int id, int timeoutMs = 3000)
{
    return e2e::WaitFor(timeoutMs, [&] { return FocusedId(window) == id; });
}

// Keys held down around `key`, released in reverse.
bool Keys(std::initializer_list<WORD> held, WORD key)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (vk == VK_HOME || vk == VK_APPS || (vk >= VK_LEFT && vk <= VK_DOWN))
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(input);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it)
        add(*it, true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool Key(WORD key)
{
    return Keys({}, key);
}

bool HotKey()
{
    return Keys({VK_CONTROL, VK_MENU}, VK_HOME);
}

std::string Ids(const std::vector<int>& ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : " ") + std::to_string(id);
    return text;
}

// Presses Tab (Shift+Tab when `back`) once per id and reads the focus after each; "" or the ids
// seen against those wanted.
std::string TabsVisit(HWND window, const std::vector<int>& want, bool back = false)
{
    std::vector<int> seen;
    for (int id : want) {
        back ? Keys({VK_SHIFT}, VK_TAB) : Key(VK_TAB);
        WaitFocus(window, id);
        seen.push_back(FocusedId(window));
    }
    return seen == want ? "" : "focus went " + Ids(seen) + ", want " + Ids(want);
}

// A popup menu of the bar's process opened by a key: waits for it, then sends `keys` to it and
// waits until it has gone; "" or what failed.
std::string MenuByKey(const RunningBar& running, const std::function<bool()>& open, const MenuKeys& keys)
{
    HWND menu = nullptr;
    if (!open() || !e2e::WaitFor(5000, [&] { return (menu = FindPopupMenu(running.process.id())) != nullptr; }))
        return "no menu window within 5 s of the key";
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    if (!PostMenuKeys(menu, keys)) {
        e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });
        return "no such entry in the menu as the probe knows it";
    }
    if (!e2e::WaitFor(5000, [&] { return !IsWindowVisible(menu); }))
        return "the menu stayed open after the keys";
    SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
    return "";
}

HWND WaitWindow(const RunningBar& running, const char* title, int timeoutMs = 5000)
{
    HWND window = nullptr;
    e2e::WaitFor(timeoutMs, [&] { return (window = FindVisibleWindowOf(running.process.id(), title)) != nullptr; });
    return window;
}

bool WaitGone(HWND window, int timeoutMs = 5000)
{
    return e2e::WaitFor(timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

// The hot key from another program's window, and the focus on the bar's first task button.
bool BarByHotKey(const RunningBar& running, HWND from)
{
    SetForegroundWindow(from);
    e2e::WaitFor(2000, [&] { return GetForegroundWindow() == from; });
    return HotKey() && e2e::WaitFor(5000, [&] {
        return GetForegroundWindow() == running.bar && FocusedId(running.bar) == kFirstTask;
    });
}

// Esc, or Enter, closes the window; "" or what failed. The window must have the focus.
std::string ClosesWith(HWND window, WORD key)
{
    Key(key);
    return WaitGone(window) ? "" : "still open 5 s after the key";
}

void CheckBarKeys(e2e::Report& report, const RunningBar& running, HWND one, HWND two)
{
    const HWND bar = running.bar;
    RECT tucked = {};
    const bool hid = e2e::WaitFor(5000, [&] { return GetWindowRect(bar, &tucked) && tucked.right <= 20; });
    const bool out = hid && BarByHotKey(running, one);
    RECT shown = {};
    GetWindowRect(bar, &shown);
    // Nothing positive to wait for: the docking tick runs every half second.
    e2e::PumpFor(1500);
    RECT later = {};
    GetWindowRect(bar, &later);
    report.Check("keyboard_hot_key_brings_the_docked_bar_out_onto_its_first_task_button",
        out && shown.left > tucked.left && later.left == shown.left,
        !hid       ? "the docked bar did not tuck itself away"
            : !out ? "after Ctrl+Alt+Home: foreground " + e2e::DescribeWindow(GetForegroundWindow()) + ", focus id " +
                std::to_string(FocusedId(bar))
                   : "left edge " + std::to_string(tucked.left) + " -> " + std::to_string(shown.left) +
                ", 1.5 s later " + std::to_string(later.left));

    Key(VK_DOWN);
    const bool down = WaitFocus(bar, kFirstTask + 1);
    Key(VK_UP);
    const bool up = WaitFocus(bar, kFirstTask);
    Key(VK_DOWN);
    WaitFocus(bar, kFirstTask + 1);
    const std::string caption = TextOf(FocusIn(bar));
    const HWND target = caption == TextOf(one) ? one : caption == TextOf(two) ? two : nullptr;
    Key(VK_RETURN);
    const bool switched = target && e2e::WaitFor(5000, [&] { return GetForegroundWindow() == target; });
    report.Check("keyboard_arrows_move_between_task_buttons_and_enter_switches", down && up && switched,
        !down || !up  ? "focus id " + std::to_string(FocusedId(bar)) + " after the arrows"
            : !target ? "the second button reads '" + caption + "'"
                      : "foreground " + e2e::DescribeWindow(GetForegroundWindow()) + " for button '" + caption + "'");

    std::string menus;
    for (const bool shiftF10 : {false, true}) {
        const std::string step = BarByHotKey(running, one)
            ? MenuByKey(running, [&] { return shiftF10 ? Keys({VK_SHIFT}, VK_F10) : Key(VK_APPS); }, {VK_ESCAPE})
            : "the hot key did not focus the first task button";
        if (!step.empty())
            menus += std::string(shiftF10 ? "Shift+F10: " : "menu key: ") + step + "; ";
    }
    report.Check("keyboard_menu_key_and_shift_f10_open_the_task_menu", menus.empty(), menus);

    std::string tabs = BarByHotKey(running, one) ? "" : "the hot key did not focus the first task button";
    if (tabs.empty())
        tabs = TabsVisit(bar, {bar_ids::RBUT, bar_ids::SSETTS, bar_ids::STX, bar_ids::VRUN, kFirstTask});
    if (tabs.empty())
        tabs = TabsVisit(bar, {bar_ids::VRUN}, true);
    report.Check("keyboard_tab_reaches_the_labels_and_the_run_box", tabs.empty(),
        tabs.empty() ? "task buttons, '...', 'Tolvane', '>', run box, and back" : tabs);
}

// Tolvane's menu by keys from the bar: hot key, Tab twice, Enter; then the keys to `entry`.
std::string MainMenuEntry(const RunningBar& running, HWND from, const std::string& entry)
{
    if (!BarByHotKey(running, from))
        return "the hot key did not focus the first task button";
    const std::string tabs = TabsVisit(running.bar, {bar_ids::RBUT, bar_ids::SSETTS});
    if (!tabs.empty())
        return tabs;
    return MenuByKey(
        running, [] { return Key(VK_RETURN); }, MainMenuKeys(entry));
}

void CheckWindowKeys(e2e::Report& report, const RunningBar& running, HWND from)
{
    // The about box: F1 on the bar.
    std::string step = BarByHotKey(running, from) ? "" : "the hot key did not focus the first task button";
    HWND about = nullptr;
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
        if (!step.empty())
            break;
        Key(VK_F1);
        about = nullptr;
        e2e::WaitFor(5000, [&] {
            const HWND focus = FocusIn(running.bar);
            about = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
            return about && about != running.bar && FocusedId(about) == bar_ids::about::OKK;
        });
        step = about && FocusedId(about) == bar_ids::about::OKK ? ClosesWith(about, key)
                                                                : "F1 gave no about box focused on Close";
        if (!step.empty())
            step = std::string(key == VK_RETURN ? "Enter: " : "Esc: ") + step;
        else if (key == VK_RETURN)
            BarByHotKey(running, from);
    }
    report.Check("keyboard_about_box_opens_on_close_and_enter_or_esc_closes_it", step.empty(), step);

    // The task manager: "show tasks" in the main menu.
    step = MainMenuEntry(running, from, "show tasks");
    HWND manager = step.empty() ? WaitWindow(running, "Task Manager") : nullptr;
    if (step.empty() && !manager)
        step = "no 'Task Manager' window";
    if (step.empty() && !WaitFocus(manager, task_ids::TASKLST))
        step = "opened with the focus on " + std::to_string(FocusedId(manager));
    if (step.empty())
        step = TabsVisit(manager, {task_ids::TSKILL, task_ids::TSKREFR, task_ids::TASKLST});
    if (step.empty()) {
        const HWND list = ChildById(manager, task_ids::TASKLST);
        const LRESULT before = SendMessageA(list, LB_GETCOUNT, 0, 0);
        e2e::ChildProcess extra("C:\\windows\\notepad.exe", "C:\\windows");
        Key(VK_RETURN);
        const bool refreshed = e2e::WaitFor(5000, [&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > before; });
        if (!refreshed)
            step = "Enter: the list kept " + std::to_string(before) + " entries with notepad started";
        else if (IsWindowVisible(manager))
            step = ClosesWith(manager, VK_ESCAPE);
        else
            step = "Enter closed the window";
    }
    report.Check("keyboard_task_manager_tabs_enter_refreshes_esc_closes", step.empty(), step);

    // The settings window: "settings" in the main menu, all pages.
    step = MainMenuEntry(running, from, "settings");
    HWND settings = step.empty() ? WaitWindow(running, "Settings") : nullptr;
    if (step.empty() && !settings)
        step = "no 'Settings' window";
    if (step.empty() && !WaitFocus(settings, s::HTASK))
        step = "opened with the focus on " + std::to_string(FocusedId(settings));
    if (step.empty())
        step = TabsVisit(settings,
            {s::NOTASKM, s::RefInterval, s::RefScroll, s::MONTASKS, s::TASKNB, s::MCLICK_0, s::MCLICK_0 + 1,
                s::MCLICK_0 + 2, s::TRAYON, s::ALLIST, s::AUTOMEMAX, s::VScroll2, s::AUTOMEMCHECK, s::AUTOMEMIN,
                s::VScroll3, s::MUSE, s::LRNM, s::HOTKEY, s::BBrowseIR, s::BX1, s::BX2, s::BX3, s::HTASK});
    if (step.empty())
        step = TabsVisit(settings, {s::BX3, s::BX2, s::BX1, s::BBrowseIR, s::HOTKEY}, true);
    if (step.empty())
        step = TabsVisit(settings, {s::BBrowseIR, s::BX1, s::BX2, s::BX3, s::HTASK});
    if (step.empty()) {
        Key(VK_SPACE);
        Key(VK_RETURN);
        const bool saved =
            e2e::WaitFor(5000, [] { return StoredSetting("General_HideInTaskManager") == "00 00 00 01"; });
        if (!saved)
            step = "Space, Enter: General_HideInTaskManager is " + StoredSetting("General_HideInTaskManager");
    }
    report.Check("keyboard_settings_tab_in_reading_order_space_checks_enter_saves", step.empty(), step);

    // "Browse events" by Tab and Enter opens the infrared window; its Enter presses Close.
    HWND infrared = nullptr;
    if (step.empty()) {
        step = TabsVisit(settings,
            {s::NOTASKM, s::RefInterval, s::RefScroll, s::MONTASKS, s::TASKNB, s::MCLICK_0, s::MCLICK_0 + 1,
                s::MCLICK_0 + 2, s::TRAYON, s::ALLIST, s::AUTOMEMAX, s::VScroll2, s::AUTOMEMCHECK, s::AUTOMEMIN,
                s::VScroll3, s::MUSE, s::LRNM, s::HOTKEY, s::BBrowseIR});
        if (step.empty()) {
            Key(VK_RETURN);
            infrared = WaitWindow(running, "Setup");
            if (!infrared)
                step = "Enter on 'Browse events' opened no 'Setup' window";
        }
    }
    // Infrared support is off: the list and "Remove" are disabled, and Tab passes them by.
    if (step.empty() && !WaitFocus(infrared, infrared_ids::MQIT))
        step = "opened with the focus on " + std::to_string(FocusedId(infrared));
    if (step.empty())
        step = TabsVisit(infrared, {infrared_ids::MQIT});
    if (step.empty())
        step = ClosesWith(infrared, VK_RETURN);
    report.Check(
        "keyboard_infrared_window_from_browse_events_skips_disabled_controls_and_enter_closes", step.empty(), step);

    step = MainMenuEntry(running, from, "settings");
    settings = step.empty() ? WaitWindow(running, "Settings") : nullptr;
    step = !step.empty() ? step : !settings ? "no 'Settings' window the second time" : ClosesWith(settings, VK_ESCAPE);
    report.Check("keyboard_settings_close_with_esc", step.empty(), step);

    // The shortcut window: "shortcuts..." in the program menu, by Enter on ">".
    step = BarByHotKey(running, from) ? TabsVisit(running.bar, {bar_ids::RBUT, bar_ids::SSETTS, bar_ids::STX})
                                      : "the hot key did not focus the first task button";
    if (step.empty())
        step = MenuByKey(
            running, [] { return Key(VK_RETURN); }, KeysFromEnd(ProgramMenuTail(), "shortcuts..."));
    HWND shortcuts = step.empty() ? WaitWindow(running, "Shortcut Icons") : nullptr;
    if (step.empty() && !shortcuts)
        step = "no 'Shortcut Icons' window";
    if (step.empty() && !WaitFocus(shortcuts, shortcut_ids::BW))
        step = "opened with the focus on " + std::to_string(FocusedId(shortcuts));
    if (step.empty())
        step = TabsVisit(shortcuts,
            {shortcut_ids::TSK, shortcut_ids::MADD, shortcut_ids::MEDIT, shortcut_ids::MDEL, shortcut_ids::MQIT,
                shortcut_ids::BW});
    if (step.empty())
        step = ClosesWith(shortcuts, VK_ESCAPE);
    report.Check("keyboard_shortcut_window_tabs_and_esc_closes", step.empty(), step);
}

} // namespace

void CheckKeyboard(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    // Docked at the left edge, so that it hides in its strip while the mouse is away.
    SeedSetting("Align_Position", 3);
    const win32kit::UniqueWindow one = e2e::CreateTestWindow(e2e::WindowKind::Normal, "keys one");
    const win32kit::UniqueWindow two = e2e::CreateTestWindow(e2e::WindowKind::Normal, "keys two");
    ShowWindow(one.get(), SW_SHOW);
    ShowWindow(two.get(), SW_SHOW);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    {
        std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "keyboard", {}, 30000);
        if (report.Check("keyboard_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error)) {
            WaitForSplashToGo(*running);
            CheckBarKeys(report, *running, one.get(), two.get());
            // The first task button focused: its dotted frame shows.
            BarByHotKey(*running, one.get());
            artifacts.RequestScreenshot("keyboard-bar");
            CheckWindowKeys(report, *running, one.get());
        }
    }
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
