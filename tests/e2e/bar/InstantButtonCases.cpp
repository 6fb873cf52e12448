// The task buttons between refresh ticks: how long a new, closed, renamed or activated window
// takes to show on the bar (20 trials each, median and 95th percentile), and a burst of 200
// windows opened and closed at once; then the same with 100 and 1,000 windows open.
#include "tests/e2e/bar/InstantButtonCases.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

constexpr int kTrials = 20;
constexpr int kMedianLimitMs = 100;
// A change the slow tick alone would show takes up to 2 s; a wait this long tells a late
// change from a lost one.
constexpr int kGiveUpMs = 5000;

// Milliseconds until `condition` holds, polled about every 2 ms; -1 after kGiveUpMs.
long long MsUntil(unsigned long long since, const std::function<bool()>& condition)
{
    for (;;) {
        e2e::PumpMessages();
        const unsigned long long now = e2e::NowMs();
        if (condition())
            return static_cast<long long>(now - since);
        if (now - since > kGiveUpMs)
            return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

struct Latencies {
    explicit Latencies(const char* caseName)
        : name(caseName)
    {
    }
    const char* name;
    std::vector<long long> ms;
    int lost = 0;
    void add(long long v)
    {
        if (v < 0)
            ++lost;
        else
            ms.push_back(v);
    }
};

long long Percentile(std::vector<long long> values, int percent)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t i = (values.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return values[std::min(values.size() - 1, i == 0 ? 0 : i - 1)];
}

void Judge(e2e::Report& report, const Latencies& l)
{
    const long long median = Percentile(l.ms, 50);
    const long long p95 = Percentile(l.ms, 95);
    char detail[200];
    std::snprintf(detail, sizeof detail, "median %lld ms, 95th percentile %lld ms, max %lld ms over %d trials, %d lost",
        median, p95, l.ms.empty() ? -1 : *std::max_element(l.ms.begin(), l.ms.end()),
        static_cast<int>(l.ms.size()) + l.lost, l.lost);
    report.Check(std::string("instant_") + l.name, l.lost == 0 && median >= 0 && median <= kMedianLimitMs, detail);
}

// A test window on a thread of its own, so that the probe keeps watching while the window's
// thread is busy closing it.
class WorkerWindow {
public:
    explicit WorkerWindow(const std::string& title)
        : title_(title)
        , ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
        , thread_(CreateThread(nullptr, 0, &WorkerWindow::Run, this, 0, nullptr))
    {
        WaitForSingleObject(ready_.get(), 10000);
    }
    ~WorkerWindow()
    {
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_.get(), 10000);
    }
    WorkerWindow(const WorkerWindow&) = delete;
    WorkerWindow& operator=(const WorkerWindow&) = delete;
    HWND get() const { return window_; }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* w = static_cast<WorkerWindow*>(self);
        win32kit::UniqueWindow window = e2e::CreateTestWindow(e2e::WindowKind::Normal, w->title_);
        w->window_ = window.get();
        e2e::ShowWithoutActivating(window.get());
        SetEvent(w->ready_.get());
        // WM_CLOSE destroys the window; the thread ends once it is gone.
        while (IsWindow(window.get())) {
            e2e::PumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        window.release();
        return 0;
    }

    std::string title_;
    HWND window_ = nullptr;
    win32kit::UniqueKernelHandle ready_;
    win32kit::UniqueKernelHandle thread_;
};

int CountTitled(const std::vector<Control>& buttons, const std::string& prefix)
{
    int n = 0;
    for (const std::string& c : Captions(buttons))
        n += c.rfind(prefix, 0) == 0;
    return n;
}

// How long the bar takes to answer a message, or -1 when not within 5 s.
long long AnswerMs(HWND bar)
{
    const unsigned long long t = e2e::NowMs();
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)
        ? static_cast<long long>(e2e::NowMs() - t)
        : -1;
}

// With 100 windows of another program open, a new window still gets its button at once; with
// 1,000 every one gets a button, and the bar keeps answering.
void CheckManyWindowsOpen(e2e::Report& report, HWND bar)
{
    {
        e2e::ChildProcess hundred = StartPeer("burst 100");
        const bool up = e2e::WaitFor(
            10000, [&] { return CountTitled(TaskButtonElements(ReadControls(bar)), "E2E Burst ") == 100; });
        Latencies appear("with_100_windows_open_a_new_windows_button_appears");
        for (int trial = 0; up && trial < kTrials / 2; ++trial) {
            const std::string title = "E2E Among Many " + std::to_string(trial);
            const unsigned long long t = e2e::NowMs();
            WorkerWindow window(title);
            // Found by its text alone: reading every control of the bar at each poll would send
            // the bar a hundred messages and slow down what is measured.
            appear.add(MsUntil(t, [&] { return FindWindowExA(bar, nullptr, nullptr, title.c_str()) != nullptr; }));
        }
        if (!up)
            appear.lost = 1;
        Judge(report, appear);
        hundred.Kill();
    }
    const unsigned long long t = e2e::NowMs();
    e2e::ChildProcess thousand = StartPeer("burst 1000");
    int made = 0;
    const bool all = e2e::WaitFor(
        60000, [&] { return (made = CountTitled(TaskButtonElements(ReadControls(bar)), "E2E Burst ")) == 1000; });
    const long long allMs = static_cast<long long>(e2e::NowMs() - t);
    long long slowest = 0;
    for (int i = 0; i < 10; ++i) {
        const long long ms = AnswerMs(bar);
        slowest = ms < 0 || slowest < 0 ? -1 : std::max(slowest, ms);
        e2e::PumpFor(100);
    }
    report.Check("with_1000_windows_every_one_gets_a_button_and_the_bar_answers", all && slowest >= 0 && slowest <= 250,
        std::to_string(made) + " buttons made, " + std::to_string(allMs) +
            " ms after the program started; WM_NULL answered within " + std::to_string(slowest) +
            " ms at worst over 10 sends");
    const unsigned long long ended = e2e::NowMs();
    thousand.Kill();
    const bool gone =
        e2e::WaitFor(30000, [&] { return CountTitled(TaskButtonElements(ReadControls(bar)), "E2E Burst ") == 0; });
    report.Check("with_1000_windows_all_go_with_their_program", gone,
        gone ? "gone " + std::to_string(e2e::NowMs() - ended) + " ms after the program ended" : "some left after 30 s");
}

} // namespace

void CheckInstantButtons(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    Latencies appear("new_window_button_appears"), rename("renamed_window_caption_changes"),
        activate("activated_window_highlight_changes"), close("closed_window_button_goes");
    std::vector<long long> hideMs;
    auto other = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Instant Other");
    e2e::ShowWithoutActivating(other.get());
    for (int trial = 0; trial < kTrials; ++trial) {
        const std::string title = "E2E Instant " + std::to_string(trial);
        const std::string renamed = title + " renamed";
        SetForegroundWindow(other.get());
        e2e::WaitFor(3000, [&] { return GetForegroundWindow() == other.get(); });

        unsigned long long t = e2e::NowMs();
        WorkerWindow window(title);
        appear.add(MsUntil(t, [&] { return Contains(Captions(VisibleTaskButtons(bar)), title); }));

        t = e2e::NowMs();
        SetWindowTextA(window.get(), renamed.c_str());
        rename.add(MsUntil(t, [&] { return Contains(Captions(VisibleTaskButtons(bar)), renamed); }));

        t = e2e::NowMs();
        SetForegroundWindow(window.get());
        activate.add(MsUntil(t, [&] { return ButtonHighlighted(bar, renamed); }));

        // Under Wine without a window manager, hiding a window blocks its own thread for 2 s
        // while the window is already gone from the desktop: timed from the moment it is gone.
        t = e2e::NowMs();
        PostMessageA(window.get(), WM_CLOSE, 0, 0);
        const long long hidden = MsUntil(t, [&] { return !IsWindowVisible(window.get()); });
        hideMs.push_back(hidden);
        const unsigned long long goneAt = e2e::NowMs();
        close.add(MsUntil(goneAt, [&] { return !Contains(Captions(VisibleTaskButtons(bar)), renamed); }));
    }
    for (const Latencies* l : {&appear, &rename, &activate, &close})
        Judge(report, *l);
    report.Note("a closed window left the desktop after median " + std::to_string(Percentile(hideMs, 50)) +
        " ms, max " + std::to_string(Percentile(hideMs, 100)) + " ms");

    // 200 windows of another program at once: all get buttons, and all go when it ends.
    const unsigned long long t = e2e::NowMs();
    e2e::ChildProcess burst = StartPeer("burst 200");
    const auto countBurst = [](const std::vector<Control>& buttons) {
        int n = 0;
        for (const std::string& c : Captions(buttons))
            n += c.rfind("E2E Burst ", 0) == 0;
        return n;
    };
    auto burstButtons = [&] { return countBurst(VisibleTaskButtons(bar)); };
    // Most of 200 buttons are scrolled out of view: every button made counts, shown or not.
    auto burstButtonsMade = [&] { return countBurst(TaskButtonElements(ReadControls(bar))); };
    const long long allShown = MsUntil(t, [&] { return burstButtonsMade() == 200; });
    report.Check("instant_burst_of_200_windows_all_shown", allShown >= 0,
        allShown >= 0 ? "all 200 buttons " + std::to_string(allShown) + " ms after the program started"
                      : "not within 5 s (" + std::to_string(burstButtonsMade()) + " made)");
    const unsigned long long ended = e2e::NowMs();
    burst.Kill();
    const long long allGone = MsUntil(ended, [&] { return burstButtons() == 0; });
    report.Check("instant_burst_of_200_windows_all_gone", allGone >= 0,
        allGone >= 0 ? "all gone " + std::to_string(allGone) + " ms after the program ended"
                     : "not within 5 s (" + std::to_string(burstButtons()) + " left)");

    CheckManyWindowsOpen(report, bar);
}

} // namespace bar_probe
