#include "tests/e2e/bar/TaskListCases.h"

#include <algorithm>

#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/DesktopTasks.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

using e2e::WindowKind;

std::vector<std::string> TitlesInZOrder(const std::vector<HWND>& windows)
{
    std::vector<std::string> titles;
    for (HWND h : TopLevelWindowsInZOrder())
        if (std::find(windows.begin(), windows.end(), h) != windows.end())
            titles.push_back(TitleOf(h));
    return titles;
}

} // namespace

void CheckButtonOrder(e2e::Report& report, const RunningBar& running, TestDesk& desk)
{
    const HWND bar = running.bar;
    const std::vector<std::string> abc = {TestDesk::kAlpha, TestDesk::kBravo, TestDesk::kCharlie};

    // The buttons take the Z order of the windows one refresh sees together; a window a later
    // refresh finds joins at the end. The bar also refreshes on window events (every 50 ms), so
    // three windows shown back to back may still straddle two refreshes: the buttons then show
    // part of the three first, and the setup is tried again with new windows.
    const char* const kSync = "E2E Sync";
    std::vector<std::string> zOrder;
    std::vector<std::string> seen;
    bool appeared = false;
    bool together = false;
    int attempts = 0;
    unsigned long long appearedAfterMs = 0;
    while (!together && attempts < 3) {
        ++attempts;
        desk.alpha = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kAlpha);
        desk.bravo = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kBravo);
        desk.charlie = e2e::CreateTestWindow(WindowKind::Normal, TestDesk::kCharlie);
        // Catch the bar's refresh rhythm first: right after a refresh has listed this window, the
        // next full one is two seconds away.
        auto sync = e2e::CreateTestWindow(WindowKind::Normal, kSync);
        e2e::ShowWithoutActivating(sync.get());
        std::vector<std::string> synced;
        WaitForCaptions(
            bar, kRefreshDeadlineMs, [&](const auto& c) { return Contains(c, kSync) && Only(c, abc).empty(); }, synced);
        e2e::ShowWithoutActivating(desk.alpha.get());
        e2e::ShowWithoutActivating(desk.bravo.get());
        e2e::ShowWithoutActivating(desk.charlie.get());
        zOrder = TitlesInZOrder({desk.alpha.get(), desk.bravo.get(), desk.charlie.get()});

        bool partSeen = false;
        const unsigned long long shown = e2e::NowMs();
        appeared = WaitForCaptions(
            bar, kRefreshDeadlineMs,
            [&](const auto& c) {
                const std::size_t n = Only(c, abc).size();
                partSeen = partSeen || (n > 0 && n < 3);
                return n == 3;
            },
            seen);
        appearedAfterMs = e2e::NowMs() - shown;
        together = appeared && !partSeen;
        if (!together) {
            desk.alpha.reset();
            desk.bravo.reset();
            desk.charlie.reset();
        }
    }
    report.Check("buttons_appear_for_new_windows", appeared,
        (appeared ? "after " + std::to_string(appearedAfterMs) + " ms, " : std::string("not within 6 s, ")) +
            "buttons " + ListText(seen) + ", attempts " + std::to_string(attempts));
    report.Check("buttons_follow_z_order", together && Only(seen, abc) == zOrder,
        "windows topmost first " + ListText(zOrder) + ", buttons " + ListText(Only(seen, abc)) +
            (together ? "" : " (never shown within one refresh in 3 attempts)"));

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
    const bool merged = WaitForCaptions(
        bar, kRefreshDeadlineMs,
        [&](const auto& c) {
            if (!bravoGoneMs && !Contains(c, TestDesk::kBravo))
                bravoGoneMs = e2e::NowMs() - closed;
            return bravoGoneMs && Contains(c, TestDesk::kDelta);
        },
        seen);
    report.Check("closed_window_button_goes_within_one_refresh", bravoGoneMs && bravoGoneMs <= kOneRefreshMs,
        bravoGoneMs ? "gone after " + std::to_string(bravoGoneMs) + " ms (limit " + std::to_string(kOneRefreshMs) +
                "), buttons " + ListText(seen)
                    : "still there after 6 s: " + ListText(seen));
    report.Check("new_window_button_appended_at_end",
        merged && Only(seen, acd) == expected && !seen.empty() && seen.back() == TestDesk::kDelta,
        "expected " + ListText(expected) + " with Delta last, buttons " + ListText(seen));
}

void CheckTaskFilter(e2e::Report& report, const RunningBar& running, TestDesk& desk)
{
    const HWND bar = running.bar;
    auto emptyCount = [](const std::vector<std::string>& c) { return std::count(c.begin(), c.end(), std::string()); };
    const auto emptyBefore = emptyCount(Captions(VisibleTaskButtons(bar)));

    desk.longTitleText = "E2E Long Title ";
    while (desk.longTitleText.size() < 300)
        desk.longTitleText += static_cast<char>('a' + desk.longTitleText.size() % 26);
    const std::string longCaption = desk.longTitleText.substr(0, 255);

    // The windows that must get no button are shown first: the refresh that shows the owned
    // app window's button has seen them all.
    desk.tool = e2e::CreateTestWindow(WindowKind::Tool, TestDesk::kTool);
    desk.ownedPopup = e2e::CreateTestWindow(WindowKind::OwnedPopup, TestDesk::kOwnedPopup, desk.delta.get());
    desk.untitled = e2e::CreateTestWindow(WindowKind::Normal, "");
    desk.longTitle = e2e::CreateTestWindow(WindowKind::Normal, desk.longTitleText);
    desk.ownedApp = e2e::CreateTestWindow(WindowKind::OwnedAppWindow, TestDesk::kOwnedApp, desk.delta.get());
    for (HWND h :
        {desk.tool.get(), desk.ownedPopup.get(), desk.untitled.get(), desk.longTitle.get(), desk.ownedApp.get()})
        e2e::ShowWithoutActivating(h);

    std::vector<std::string> seen;
    const bool settled = WaitForCaptions(
        bar, kRefreshDeadlineMs,
        [&](const auto& c) {
            return Contains(c, TestDesk::kOwnedApp) && Contains(c, longCaption) && emptyCount(c) > emptyBefore;
        },
        seen);
    const std::string buttons = "buttons " + ListText(seen) +
        (settled ? ""
                 : " (the windows that must get buttons did not all get one within 6 s, so it is unknown whether the "
                   "bar judged this one yet)");
    report.Check("owned_app_window_gets_a_button", Contains(seen, TestDesk::kOwnedApp),
        e2e::DescribeWindow(desk.ownedApp.get()) + "; " + buttons);
    report.Check("tool_window_gets_no_button", settled && !Contains(seen, TestDesk::kTool),
        e2e::DescribeWindow(desk.tool.get()) + "; " + buttons);
    report.Check("owned_popup_gets_no_button", settled && !Contains(seen, TestDesk::kOwnedPopup),
        e2e::DescribeWindow(desk.ownedPopup.get()) + "; " + buttons);
    report.Check("untitled_window_gets_an_empty_button", emptyCount(seen) == emptyBefore + 1,
        "empty captions before " + std::to_string(emptyBefore) + ", now " + std::to_string(emptyCount(seen)) + "; " +
            buttons);
    const std::vector<Control> visible = VisibleTaskButtons(bar);
    std::string longSeen = "no button starting 'E2E Long Title'";
    for (const Control& c : visible)
        if (c.text.rfind("E2E Long Title", 0) == 0)
            longSeen = "caption of " + std::to_string(c.text.size()) + " characters";
    report.Check(
        "long_title_shows_first_255_characters", Contains(seen, longCaption), "title of 300 characters; " + longSeen);

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

} // namespace bar_probe
