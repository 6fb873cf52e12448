#include "bar/ControlIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"

namespace bar_probe {
namespace {

bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    for (const std::string& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "'" : ", '") + line + "'";
    return text.empty() ? "nothing" : text;
}

} // namespace

void CheckLogOff(e2e::Report& report, const std::string& tolvixExe)
{
    e2e::ScratchFolder folder("logoff");
    folder.WriteFile("session.log", {});
    const std::string log = folder.PathOf("session.log");
    e2e::ChildProcess peer = StartPeer("session \"" + log + "\"");
    const bool peerUp = WaitForWindowOf(peer.id(), 5000) != nullptr;
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "logoff", {}, 30000);
    if (!report.Check("logoff_bar_and_peer_start", peerUp && running->bar,
            std::string(peerUp ? "peer window up; " : "no peer window; ") + (running->bar ? "bar up" : running->error)))
        return;

    BarPopup popup(*running);
    const unsigned long long chosen = e2e::NowMs();
    const std::string step = popup.Choose(bar_ids::SSETTS, main_menu::kLogOff);
    std::vector<std::string> lines;
    const bool over = step.empty() && e2e::WaitFor(20000, [&] {
        lines = ReadLines(log);
        return HasLineStartingWith(lines, "query") && HasLineStartingWith(lines, "end") && !running->process.running();
    });
    lines = ReadLines(log);
    report.Check("log_off_asks_other_windows_and_ends_the_bar", over,
        (step.empty() ? "'log off' chosen; " : step + "; ") + "after " + std::to_string(e2e::NowMs() - chosen) +
            " ms the peer logged " + Joined(lines) + "; bar " +
            (running->process.running() ? "still running"
                                        : "ended, exit code " + std::to_string(running->process.exitCode())) +
            "; peer " + (peer.running() ? "still running" : "ended, exit code " + std::to_string(peer.exitCode())));
}

} // namespace bar_probe
