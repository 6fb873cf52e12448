#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"

namespace bar_probe {
namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "'" : ", '") + line + "'";
    return text.empty() ? "nothing" : text;
}

std::string EndText(const e2e::ChildProcess& process, long long endedMs)
{
    return process.running()
        ? "still running"
        : "ended after " + std::to_string(endedMs) + " ms, exit code " + std::to_string(process.exitCode());
}

} // namespace

void CheckLogOff(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
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

    WaitForSplashToGo(*running);
    BarPopup popup(*running);
    const unsigned long long chosen = e2e::NowMs();
    const std::string step = popup.Choose(bar_ids::SSETTS, QuitMenuKeys("log off"));
    // The peer never quits by itself: it ends only when the platform ends the session. Whether
    // the bar still answers meanwhile is noted: under Wine it does not once log off has begun.
    std::vector<std::string> lines;
    long long barEndedMs = -1, peerEndedMs = -1, answeredMs = -1;
    const bool over = step.empty() && e2e::WaitFor(20000, [&] {
        const long long now = static_cast<long long>(e2e::NowMs() - chosen);
        DWORD_PTR result = 0;
        if (answeredMs < 0 && now > 500 && running->process.running() &&
            SendMessageTimeoutA(running->bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result))
            answeredMs = now;
        if (barEndedMs < 0 && !running->process.running())
            barEndedMs = now;
        if (peerEndedMs < 0 && !peer.running())
            peerEndedMs = now;
        return barEndedMs >= 0 && peerEndedMs >= 0;
    });
    lines = ReadLines(log);
    const bool asked =
        lines.size() == 2 && lines[0].compare(0, 6, "query ") == 0 && lines[1].compare(0, 6, "end 1 ") == 0;
    artifacts.RequestScreenshot("after-log-off");
    report.Check("log_off_ends_the_session_of_every_window_and_the_bar", over && asked,
        (step.empty() ? "'log off' chosen; " : step + "; ") + "the peer logged " + Joined(lines) +
            " (query <lParam>, end <wParam> <lParam>); bar " + EndText(running->process, barEndedMs) + ", " +
            (answeredMs < 0 ? "answering no message from 500 ms on"
                            : "answered " + std::to_string(answeredMs) + " ms after") +
            "; peer " + EndText(peer, peerEndedMs) + "; processes left " + ListText(ProcessNames()));
}

} // namespace bar_probe
