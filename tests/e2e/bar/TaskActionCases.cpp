#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

using Keys = MenuKeys;
Keys TaskMenuKeys(const std::string& caption)
{
    return KeysTo({{TaskMenuEntries(), caption}});
}
const Keys kRestore = TaskMenuKeys("restore");
const Keys kMinimise = TaskMenuKeys("minimize");
const Keys kMaximise = TaskMenuKeys("maximixe");
const Keys kClose = TaskMenuKeys("close");
Keys Advanced(const std::string& caption)
{
    return KeysTo({{TaskMenuEntries(), "advanced"}, {AdvancedMenuEntries(), caption}});
}

class TaskMenu {
public:
    explicit TaskMenu(const RunningBar& running)
        : running_(running)
    {
    }

    // Opens the menu of the button captioned `caption` with a right click; "" or what failed.
    std::string Open(const std::string& caption)
    {
        const Control* button = nullptr;
        std::vector<Control> buttons;
        e2e::WaitFor(kRefreshDeadlineMs, [&] {
            buttons = VisibleTaskButtons(running_.bar);
            return (button = FindButton(buttons, caption)) != nullptr;
        });
        if (!button)
            return "no button '" + caption + "' among " + ListText(Captions(buttons));
        e2e::PostRightClick(button->window);
        if (!e2e::WaitFor(5000, [&] { return (menu_ = FindPopupMenu(running_.process.id())) != nullptr; }))
            return "no task menu after a right click on '" + caption + "'";
        return "";
    }

    // Presses the keys in the open menu and waits until it has gone; "" or what failed.
    std::string Press(const Keys& keys)
    {
        if (!PostMenuKeys(menu_, keys)) {
            e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu_); });
            return "no such entry in the task menu as the probe knows it";
        }
        if (e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu_); }))
            return "";
        PostMessageA(running_.bar, WM_CANCELMODE, 0, 0);
        e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu_); });
        return "the menu stayed open after the keys";
    }

    std::string Choose(const std::string& caption, const Keys& keys)
    {
        const std::string opened = Open(caption);
        return opened.empty() ? Press(keys) : opened;
    }

    // Milliseconds from pressing `keys` in `caption`'s menu until the bar has opened the anchor's
    // menu again (it handles posted input again); -1 when that failed.
    long long RoundTrip(const std::string& caption, const Keys& keys, const std::string& anchor, std::string& error)
    {
        error = Open(caption);
        if (!error.empty())
            return -1;
        const unsigned long long started = e2e::NowMs();
        error = Press(keys);
        const std::string reopened = error.empty() ? Open(anchor) : "";
        const long long took = static_cast<long long>(e2e::NowMs() - started);
        if (error.empty())
            error = reopened;
        if (!error.empty())
            return -1;
        Press({VK_ESCAPE});
        return took;
    }

private:
    const RunningBar& running_;
    HWND menu_ = nullptr;
};

std::string Describe(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return std::string(IsIconic(window) ? "minimised"
                   : IsZoomed(window)   ? "maximised"
                                        : "normal") +
        (IsWindowVisible(window) ? ", visible" : ", hidden") +
        ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? ", topmost " : ", not topmost ") + RectText(r);
}

bool SameRect(HWND window, const RECT& before)
{
    RECT now = {};
    GetWindowRect(window, &now);
    return EqualRect(&now, &before) != 0;
}

struct Victim {
    e2e::ChildProcess process;
    HWND window = nullptr;
    Victim(const std::string& title, const std::string& marker, const std::string& more = "")
        : process(StartPeer("victim \"" + title + "\" \"" + marker + "\" " + more))
        , window(WaitForWindowOf(process.id(), 5000))
    {
    }
};

} // namespace

void CheckTaskActions(e2e::Report& report, const RunningBar& running)
{
    TaskMenu menu(running);
    // `prepare` puts the window into the state the entry starts from, without the bar, so that
    // each entry is judged on its own.
    auto act = [&](const std::string& name, HWND window, const std::string& caption, const Keys& keys,
                   const std::function<bool()>& done, const std::function<void()>& prepare = {}) {
        if (prepare)
            prepare();
        const std::string error = menu.Choose(caption, keys);
        const bool ok = error.empty() && e2e::WaitFor(kOneRefreshMs, done);
        report.Check(name, ok, (error.empty() ? "" : error + "; ") + "window " + Describe(window));
        return ok;
    };

    Victim acted("E2E Act Victim", "NUL");
    const HWND w = acted.window;
    act("task_menu_minimize", w, "E2E Act Victim", kMinimise, [&] { return IsIconic(w) != 0; });
    act(
        "task_menu_restore_from_minimised", w, "E2E Act Victim", kRestore, [&] { return !IsIconic(w); },
        [&] { ShowWindow(w, SW_MINIMIZE); });
    act("task_menu_maximixe", w, "E2E Act Victim", kMaximise, [&] { return IsZoomed(w) != 0; });
    act(
        "task_menu_restore_from_maximised", w, "E2E Act Victim", kRestore, [&] { return !IsZoomed(w) && !IsIconic(w); },
        [&] { ShowWindow(w, SW_MAXIMIZE); });
    ShowWindow(w, SW_RESTORE);
    RECT before = {};
    GetWindowRect(w, &before);
    auto topmost = [&] { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    act("task_menu_always_on_top_keeps_place", w, "E2E Act Victim", Advanced("always on top"),
        [&] { return topmost() && SameRect(w, before); });
    act(
        "task_menu_standard_keeps_place", w, "E2E Act Victim", Advanced("standard"),
        [&] { return !topmost() && SameRect(w, before); },
        [&] { SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); });
    act("task_menu_hide", w, "E2E Act Victim", Advanced("hide"), [&] { return !IsWindowVisible(w); });

    e2e::ScratchFolder folder("actions");
    const std::string marker = folder.PathOf("closed.txt");
    Victim closing("E2E Close Victim", marker);
    const bool closed = act("task_menu_close_runs_the_close_handler", closing.window, "E2E Close Victim", kClose,
        [&] { return FileExists(marker) && !closing.process.running(); });
    if (!closed)
        report.Note(std::string("marker ") + (FileExists(marker) ? "written" : "missing") + ", victim " +
            (closing.process.running() ? "running" : "ended"));

    Victim ended("E2E Term Victim", "NUL");
    act("task_menu_terminate_ends_the_process", ended.window, "E2E Term Victim", Advanced("terminate"),
        [&] { return !ended.process.running(); });

    // A window that has stopped answering: close and minimise must not hold the bar up. Each
    // action is timed against the same keys with Escape instead of the final Return.
    win32kit::UniqueWindow anchor = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Anchor");
    e2e::ShowWithoutActivating(anchor.get());
    Victim hung("E2E Hung Victim", "NUL", "--hang 15000");
    const bool isHung = hung.window && e2e::WaitFor(10000, [&] { return IsHungAppWindow(hung.window) != 0; });
    for (const auto& entry :
        {std::make_pair(std::string("close"), kClose), std::make_pair(std::string("minimize"), kMinimise)}) {
        Keys escape = entry.second;
        escape.back() = VK_ESCAPE;
        std::string error;
        const long long baseline = menu.RoundTrip("E2E Hung Victim", escape, "E2E Anchor", error);
        const long long took =
            baseline >= 0 ? menu.RoundTrip("E2E Hung Victim", entry.second, "E2E Anchor", error) : -1;
        report.Check("task_menu_" + entry.first + "_on_hung_window_returns_within_250_ms",
            isHung && took >= 0 && took - baseline <= 250,
            std::string(isHung ? "window hung; " : "window never counted as hung; ") +
                (error.empty() ? "bar answered again " + std::to_string(took) + " ms after the choice, " +
                            std::to_string(baseline) + " ms without the action"
                               : error));
    }
    std::string refresh;
    report.Check(
        "bar_keeps_refreshing_beside_hung_window", isHung && RefreshSeesNewProcess(running.bar, refresh), refresh);
    // The minimise was handed over, not dropped: the window takes it once it answers again.
    const bool minimised = isHung && e2e::WaitFor(20000, [&] { return IsIconic(hung.window) != 0; });
    report.Check("hung_window_minimised_once_it_answers_again", minimised, "window " + Describe(hung.window));
}

} // namespace bar_probe
