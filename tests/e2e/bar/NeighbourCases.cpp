#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"

#include <memory>

namespace bar_probe {
namespace {

// The peer's windows as two programs: the same file copied under two names.
const char* const kPrograms[] = {"e2e_alpha.exe", "e2e_beta.exe"};

struct Peer {
    std::string title;
    std::unique_ptr<e2e::ChildProcess> process;
};

} // namespace

void CheckNeighbours(e2e::Report& report, const std::string& tolvixExe)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    e2e::ScratchFolder folder("neighbours");
    const bool copied = folder.CopyIn(PeerExe(), kPrograms[0]) && folder.CopyIn(PeerExe(), kPrograms[1]);
    const bool seeded = SeedSetting("General_TaskNeighbours", 1);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "neighbours", {}, 30000);
    if (!report.Check("neighbours_bar_starts", copied && seeded && running->bar,
            std::string(copied ? "" : "the peer could not be copied; ") + (seeded ? "" : "seeding failed; ") +
                running->error)) {
        DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
        return;
    }

    // Opened alternately, each once the one before has its button, so the order they join in is
    // known: alpha 1, beta 1, alpha 2, beta 2.
    const std::vector<std::string> titles = {"E2E Alpha 1", "E2E Beta 1", "E2E Alpha 2", "E2E Beta 2"};
    std::vector<Peer> peers;
    std::vector<std::string> seen;
    bool opened = true;
    for (std::size_t i = 0; i < titles.size() && opened; ++i) {
        const std::string exe = folder.PathOf(kPrograms[i % 2]);
        peers.push_back(
            {titles[i], std::make_unique<e2e::ChildProcess>(StartPeer("victim \"" + titles[i] + "\" \"NUL\"", exe))});
        opened = WaitForWindowOf(peers.back().process->id(), 5000) &&
            WaitForCaptions(
                running->bar, kRefreshDeadlineMs, [&](const auto& captions) { return Contains(captions, titles[i]); },
                seen);
    }
    const std::vector<std::string> grouped = {"E2E Alpha 1", "E2E Alpha 2", "E2E Beta 1", "E2E Beta 2"};
    const bool together = opened &&
        WaitForCaptions(
            running->bar, kRefreshDeadlineMs, [&](const auto& captions) { return Only(captions, titles) == grouped; },
            seen);
    report.Check("neighbours_windows_of_two_programs_opened_alternately_come_out_grouped", together,
        (opened ? "" : "not every window got its button; ") + std::string("buttons ") + ListText(Only(seen, titles)));

    // A real middle click on the button closes its window, through the window's own close.
    const Peer& victim = peers.back();
    std::vector<Control> buttons = VisibleTaskButtons(running->bar);
    const Control* button = FindButton(buttons, victim.title);
    const bool clicked = button && e2e::RealMiddleClickAt(e2e::CentreOnScreen(button->window));
    const bool closed = clicked && e2e::WaitFor(kRefreshDeadlineMs, [&] { return !victim.process->running(); }) &&
        WaitForCaptions(
            running->bar, kRefreshDeadlineMs, [&](const auto& captions) { return !Contains(captions, victim.title); },
            seen);
    report.Check("middle_click_closes_the_window", closed,
        std::string(button ? (clicked ? "" : "the click could not be sent; ") : "no button to click; ") + "process " +
            (victim.process->running() ? "still running" : "ended") + ", buttons " + ListText(Only(seen, titles)));
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
