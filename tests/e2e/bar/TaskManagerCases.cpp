#include <algorithm>

#include "bar/BarIds.h"
#include "tasks/TaskIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

constexpr int kTaskList = task_ids::TASKLST;
constexpr int kKillLabel = task_ids::TSKILL;
constexpr int kRefreshLabel = task_ids::TSKREFR;
constexpr const char* kVictimExe = "tm_victim.exe";

HWND FindTaskManager(DWORD barProcess)
{
    return FindVisibleWindowOf(barProcess, "Task Manager");
}

std::vector<std::string> ListItems(HWND list)
{
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    // Asked in UTF-16: Wine hands the ANSI form of this message across processes only in part.
    for (LRESULT i = 0; i < count && i < 70000; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

int IndexOf(const std::vector<std::string>& items, const std::string& name)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (Lower(items[i]) == name)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    for (std::string& n : names)
        n = Lower(n);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void CheckTaskManager(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    // A victim with a name of its own, so its list item is unmistakable.
    e2e::ScratchFolder folder("taskmgr");
    folder.CopyIn(PeerExe(), kVictimExe);
    e2e::ChildProcess victim = StartPeer("victim \"E2E TM Victim\" NUL", folder.PathOf(kVictimExe));
    const bool victimUp = WaitForWindowOf(victim.id(), 5000) != nullptr;
    const HWND tim3 = ChildById(bar, bar_ids::TIM3);
    // The counter has counted the victim: the bar has refreshed since it started.
    e2e::WaitFor(kRefreshDeadlineMs, [&] { return TaskCountShown(bar) == static_cast<int>(ProcessNames().size()); });

    const bool clicked = tim3 && RealDoubleClick(tim3);
    HWND manager = nullptr;
    const unsigned long long started = e2e::NowMs();
    const bool opened =
        clicked && e2e::WaitFor(5000, [&] { return (manager = FindTaskManager(running.process.id())) != nullptr; });
    report.Check("tim3_double_click_opens_task_manager", opened,
        !tim3          ? "no control TIM3"
            : !clicked ? "SendInput failed: " + e2e::LastErrorText()
            : opened
            ? "window " + e2e::DescribeWindow(manager) + " after " + std::to_string(e2e::NowMs() - started) + " ms"
            : "no visible 'Task Manager' window of the bar's process within 5 s");
    if (!opened)
        return;
    const bool front = e2e::WaitFor(3000, [&] { return GetForegroundWindow() == manager; });
    report.Check("task_manager_owned_by_bar_and_in_front", front && GetWindow(manager, GW_OWNER) == bar,
        "owner " + e2e::Hex(reinterpret_cast<ULONG_PTR>(GetWindow(manager, GW_OWNER))) + " (bar " +
            e2e::Hex(reinterpret_cast<ULONG_PTR>(bar)) + "), foreground " +
            (front ? "the task manager" : e2e::DescribeWindow(GetForegroundWindow())));

    const HWND list = ChildById(manager, kTaskList);
    std::vector<std::string> items = list ? ListItems(list) : std::vector<std::string>();
    std::vector<std::string> names = ProcessNames();
    const bool multi = list && (GetWindowLongA(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    report.Check("task_list_names_every_process", victimUp && multi && Sorted(items) == Sorted(names),
        std::string(list ? (multi ? "multi-select list" : "list is single-select") : "no list box 301") + " of " +
            std::to_string(items.size()) + " items " + ListText(items) + "; Toolhelp " + ListText(names));

    const int index = IndexOf(items, kVictimExe);
    const HWND kill = ChildById(manager, kKillLabel);
    const HWND refresh = ChildById(manager, kRefreshLabel);
    const bool kinds = kill && refresh && TextOf(kill) == "Kill selected" && TextOf(refresh) == "Refresh" &&
        GetDlgCtrlID(GetParent(kill)) == task_ids::TSKILLX && GetDlgCtrlID(GetParent(refresh)) == task_ids::TSKREFRX;
    // The user picks the victim's line: the bar learns the selection from the list's own notice.
    bool picked = false;
    if (index >= 0) {
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        RECT line {};
        if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line)) != LB_ERR) {
            POINT middle {(line.left + line.right) / 2, (line.top + line.bottom) / 2};
            ClientToScreen(list, &middle);
            picked = e2e::RealLeftClickAt(middle) &&
                e2e::WaitFor(1000, [&] { return SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; });
        }
    }
    const bool pressed = picked && kinds && e2e::RealLeftClickAt(e2e::CentreOnScreen(kill));
    bool sawDisabled = false;
    e2e::WaitFor(1000, [&] { return (sawDisabled = !IsWindowEnabled(kill) && !IsWindowEnabled(refresh)); });
    const bool ended = pressed && e2e::WaitFor(3000, [&] { return !victim.running(); });
    report.Check("kill_selected_ends_the_process_with_exit_code_0", ended && victim.exitCode() == 0,
        index < 0    ? std::string("no item ") + kVictimExe
            : !kinds ? "labels 303 'Kill selected' in frame 302 and 305 'Refresh' in frame 304 not found: '" +
                TextOf(kill) + "', '" + TextOf(refresh) + "'"
            : !pressed ? "SendInput failed"
            : ended    ? "victim ended, exit code " + std::to_string(victim.exitCode())
                       : "victim still running 3 s after the click");

    const bool refilled = sawDisabled && e2e::WaitFor(kRefreshDeadlineMs, [&] {
        if (!IsWindowEnabled(kill) || !IsWindowEnabled(refresh))
            return false;
        items = ListItems(list);
        names = ProcessNames();
        return IndexOf(items, kVictimExe) < 0 && Sorted(items) == Sorted(names);
    });
    report.Check("labels_disabled_until_next_tick_which_refills_list", refilled,
        std::string(sawDisabled ? "both labels disabled after the click; " : "labels never seen disabled; ") + "list " +
            ListText(items) + ", Toolhelp " + ListText(names));

    // Another window to the front closes the task manager.
    win32kit::UniqueWindow other = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Front");
    ShowWindow(other.get(), SW_SHOW);
    SetForegroundWindow(other.get());
    const unsigned long long fronted = e2e::NowMs();
    const bool closed = e2e::WaitFor(5000, [&] { return !IsWindow(manager) || !IsWindowVisible(manager); });
    report.Check("task_manager_closes_when_another_window_comes_forward",
        closed && e2e::NowMs() - fronted <= kOneRefreshMs,
        "foreground " + e2e::DescribeWindow(GetForegroundWindow()) + "; task manager " +
            (closed ? "gone after " + std::to_string(e2e::NowMs() - fronted) + " ms" : "still open after 5 s"));
}

} // namespace bar_probe
