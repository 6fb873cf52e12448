#include "tests/e2e/bar/BusyDesktopCases.h"

#include <set>
#include <vector>

#include "bar/BarIds.h"
#include "tasks/TaskIds.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

constexpr int kWindows = 30;
constexpr int kAppearMs = 5000;

std::string BusyTitle(int i)
{
    return "E2E Busy " + std::to_string(100 + i);
}

// "" when every shown task button lies wholly inside the bar's client area above the panel.
std::string OutsideTheArea(HWND bar)
{
    const std::vector<Control> controls = ReadControls(bar);
    const Control* panel = FindControl(controls, bar_ids::Picture2);
    if (!panel)
        return "no panel";
    for (const Control& c : TaskButtonElements(controls))
        if (c.visible && (c.inBar.top < 0 || c.inBar.bottom > panel->inBar.top))
            return "'" + c.text + "' at " + RectText(c.inBar) + ", panel from y " + std::to_string(panel->inBar.top);
    return "";
}

// The shown buttons once they have stayed the same for 300 ms: the bar shows and hides them one
// by one, and another process can read them half way.
std::vector<std::string> SettledCaptions(HWND bar)
{
    std::vector<std::string> last = Captions(VisibleTaskButtons(bar));
    unsigned long long since = e2e::NowMs();
    e2e::WaitFor(3000, [&] {
        std::vector<std::string> now = Captions(VisibleTaskButtons(bar));
        if (now != last) {
            last = std::move(now);
            since = e2e::NowMs();
        }
        return e2e::NowMs() - since >= 300;
    });
    return last;
}

const Control* Arrow(const std::vector<Control>& controls, int id)
{
    const Control* arrow = FindControl(controls, id);
    return arrow && arrow->visible ? arrow : nullptr;
}

std::vector<std::string> AllCaptions(HWND bar)
{
    return Captions(TaskButtonElements(ReadControls(bar)));
}

// The list scrolled to its end by the arrows, the bar active: the wheel takes it back to the
// top, the keys reach a button out of view, and a button dragged up keeps its new place.
void CheckWheelKeysAndDrag(
    e2e::Report& report, HWND bar, std::vector<win32kit::UniqueWindow>& windows, const std::vector<std::string>& all)
{
    std::string step = all.empty() ? "not all windows listed" : "";
    std::vector<std::string> seen;
    const std::vector<Control> shown = VisibleTaskButtons(bar);
    if (step.empty() &&
        (shown.empty() || !e2e::RealWheelAt(e2e::CentreOnScreen(shown.front().window), 10 * 120) ||
            !WaitForCaptions(
                bar, 2000, [&](const auto& c) { return !c.empty() && c.front() == all.front(); }, seen)))
        step = "shown after ten notches up: " + ListText(seen) + ", focus on " + std::to_string(FocusedId(bar));
    report.Check("thirty_windows_scroll_back_to_the_top_by_the_wheel", step.empty(), step);

    // Tab onto the first button (the focus may be anywhere in the bar: a click on the arrow gave
    // it the bar, and a control that hides hands it on); Up goes round to the last one.
    const int firstId = task_ids::VTASKS_BASE;
    const int lastId = firstId + static_cast<int>(all.size()) - 1;
    if (step.empty()) {
        for (int tabs = 0; tabs < 20 && FocusedId(bar) != firstId; ++tabs) {
            const int before = FocusedId(bar);
            e2e::RealKeyPress(0, VK_TAB);
            e2e::WaitFor(1000, [&] { return FocusedId(bar) != before; });
        }
        if (FocusedId(bar) != firstId)
            step = "20 Tabs never reached the first task button; focus on " + std::to_string(FocusedId(bar)) +
                ", foreground " + e2e::DescribeWindow(GetForegroundWindow());
    }
    if (step.empty()) {
        e2e::RealKeyPress(0, VK_UP);
        if (!e2e::WaitFor(2000, [&] { return FocusedId(bar) == lastId && IsWindowVisible(FocusIn(bar)); }))
            step = "Up went to " + std::to_string(FocusedId(bar)) + ", shown " + ListText(SettledCaptions(bar));
        else if (std::string outside = OutsideTheArea(bar); !outside.empty())
            step = "outside the area: " + outside;
    }
    report.Check("thirty_windows_the_arrow_keys_reach_a_button_out_of_view", step.empty(), step);

    // The last shown button dragged onto the first shown one takes its place, and keeps it
    // through the refresh that a new window brings.
    const std::vector<Control> atEnd = VisibleTaskButtons(bar);
    std::vector<std::string> expected = AllCaptions(bar);
    if (atEnd.size() >= 2 && expected.size() == all.size()) {
        const std::size_t to = static_cast<std::size_t>(GetDlgCtrlID(atEnd.front().window) - firstId);
        const std::size_t from = static_cast<std::size_t>(GetDlgCtrlID(atEnd.back().window) - firstId);
        const std::string moved = expected[from];
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(from));
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(to), moved);
        std::vector<std::string> now;
        const bool dropped =
            e2e::RealDragFromTo(e2e::CentreOnScreen(atEnd.back().window), e2e::CentreOnScreen(atEnd.front().window)) &&
            e2e::WaitFor(2000, [&] { return (now = AllCaptions(bar)) == expected; });
        windows.push_back(e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Busy late"));
        e2e::ShowWithoutActivating(windows.back().get());
        expected.push_back("E2E Busy late");
        const bool kept =
            dropped && e2e::WaitFor(kRefreshDeadlineMs, [&] { return (now = AllCaptions(bar)) == expected; });
        step = !dropped ? "after dragging '" + moved + "' onto row " + std::to_string(to) + ": " + ListText(now)
            : !kept     ? "after a new window: " + ListText(now)
                        : "";
    } else {
        step = "at the end of the list " + std::to_string(atEnd.size()) + " buttons shown";
    }
    report.Check("thirty_windows_a_dragged_button_keeps_its_new_place", step.empty(), step);
}

} // namespace

void CheckBusyDesktop(e2e::Report& report, const RunningBar& running, Artifacts& artifacts)
{
    const HWND bar = running.bar;
    std::vector<win32kit::UniqueWindow> windows;
    std::set<std::string> titles;
    for (int i = 0; i < kWindows; ++i) {
        windows.push_back(e2e::CreateTestWindow(e2e::WindowKind::Normal, BusyTitle(i)));
        e2e::ShowWithoutActivating(windows.back().get());
        titles.insert(BusyTitle(i));
    }
    // Some buttons are scrolled out of view: the whole list is read, shown or not.
    std::vector<std::string> all;
    const bool listed = e2e::WaitFor(kAppearMs, [&] {
        all = Captions(TaskButtonElements(ReadControls(bar)));
        int found = 0;
        for (const std::string& c : all)
            found += titles.count(c) != 0 ? 1 : 0;
        return found == kWindows;
    });
    std::set<std::string> reached;
    for (const std::string& c : SettledCaptions(bar))
        reached.insert(c);
    std::string outside = OutsideTheArea(bar);
    const bool arrowShown = Arrow(ReadControls(bar), task_ids::VTASKS_DOWN) != nullptr;
    if (listed)
        artifacts.RequestScreenshot("thirty-windows");

    // Down arrow by down arrow to the end of the list, each step inside the bar.
    int clicks = 0;
    while (listed && outside.empty() && clicks < 10) {
        const std::vector<Control> controls = ReadControls(bar);
        const Control* down = Arrow(controls, task_ids::VTASKS_DOWN);
        if (!down)
            break;
        const std::vector<std::string> before = SettledCaptions(bar);
        ++clicks;
        std::vector<std::string> after;
        if (!e2e::RealLeftClickAt(e2e::CentreOnScreen(down->window)) ||
            !WaitForCaptions(
                bar, 2000, [&](const auto& c) { return c != before; }, after))
            break;
        after = SettledCaptions(bar);
        for (const std::string& c : after)
            reached.insert(c);
        outside = OutsideTheArea(bar);
    }
    int unreached = 0;
    std::string missed;
    for (const std::string& t : titles)
        if (reached.count(t) == 0) {
            ++unreached;
            missed += " '" + t + "'";
        }
    report.Check("thirty_windows_each_reachable_inside_the_bar_by_the_arrows",
        listed && arrowShown && outside.empty() && unreached == 0,
        std::string(listed ? "" : "not all 30 listed; ") + (arrowShown ? "" : "no down arrow at first; ") +
            (outside.empty() ? "" : "outside the area: " + outside + "; ") + std::to_string(clicks) +
            " clicks on the down arrow, " + std::to_string(kWindows - unreached) + " of 30 buttons shown on the way" +
            (missed.empty() ? "" : "; never shown:" + missed) + "; all buttons " + std::to_string(all.size()));

    CheckWheelKeysAndDrag(report, bar, windows, listed ? all : std::vector<std::string> {});

    windows.clear();
    std::vector<std::string> left;
    const bool gone = WaitForCaptions(
        bar, kAppearMs,
        [&](const auto& c) {
            for (const std::string& t : c)
                if (titles.count(t))
                    return false;
            return true;
        },
        left);
    report.Check("busy_desktop_clears_with_its_windows",
        gone && !Arrow(ReadControls(bar), task_ids::VTASKS_DOWN) && !Arrow(ReadControls(bar), task_ids::VTASKS_UP),
        gone ? "buttons gone, no arrows" : "left: " + ListText(left));
}

} // namespace bar_probe
