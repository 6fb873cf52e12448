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
