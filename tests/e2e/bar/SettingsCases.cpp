#include <windows.h>

#include <psapi.h>

#include <cstring>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

// Committed and written memory of the probe's own, so that the free figure really drops.
class Ballast {
public:
    explicit Ballast(size_t bytes)
        : memory_(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE))
    {
        if (memory_)
            std::memset(memory_, 1, bytes);
    }
    Ballast(const Ballast&) = delete;
    Ballast& operator=(const Ballast&) = delete;
    ~Ballast()
    {
        if (memory_)
            VirtualFree(memory_, 0, MEM_RELEASE);
    }
    bool ok() const { return memory_ != nullptr; }

private:
    void* memory_;
};

PROCESS_MEMORY_COUNTERS CountersOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters;
}

std::string Mb(size_t bytes)
{
    return std::to_string(bytes / 1048576) + " MB";
}

} // namespace

void CheckSettingsAtStart(e2e::Report& report, const std::string& tolvixExe)
{
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
    const bool seeded = SeedSetting("General_RefreshInterval", 1) && SeedSetting("Mem_FreeUp", 16);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "settings", {}, 30000);
    if (!report.Check("bar_starts_with_seeded_settings", seeded && running->bar,
            std::string(
                seeded ? "General_RefreshInterval 00 00 00 01, Mem_FreeUp 00 00 00 10 seeded; " : "seeding failed; ") +
                (running->bar ? "bar up" : running->error))) {
        DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
        return;
    }
    const HWND bar = running->bar;
    std::string detail;
    const long long interval = MeasureRefreshMs(bar, detail);
    report.Check("seeded_refresh_interval_of_1_s_in_effect", interval >= 700 && interval <= 1400, detail);

    const HWND tim1 = ChildById(bar, bar_ids::TIM1);
    long long before = -1, now = -1;
    e2e::WaitFor(kOneRefreshMs, [&] { return (before = NumberIn(TextOf(tim1))) >= 0; });
    {
        Ballast ballast(512u << 20);
        const unsigned long long started = e2e::NowMs(); // once the memory is really taken
        const bool dropped = ballast.ok() && before >= 0 && e2e::WaitFor(4000, [&] {
            now = NumberIn(TextOf(tim1));
            return now >= 0 && now <= before - 400;
        });
        const unsigned long long took = e2e::NowMs() - started;
        // Within two ticks of the 1 s interval: the tick that saw the memory may have just passed.
        report.Check("tim1_follows_memory_within_two_1_s_refreshes", dropped && took <= 2000,
            std::string(ballast.ok() ? "probe committed 512 MB; " : "probe could not commit 512 MB; ") + "TIM1 " +
                std::to_string(before) + " -> " + std::to_string(now) +
                (dropped ? " after " + std::to_string(took) + " ms" : " (no drop of 400 MB within 4 s)"));
    }

    // A free-up of 16 MB writes its blocks: the bar's peak working set rises above today's by
    // about that much, and the figure comes back as a number.
    const PROCESS_MEMORY_COUNTERS start = CountersOf(running->process.handle());
    const bool clicked = tim1 && RealDoubleClick(tim1);
    PROCESS_MEMORY_COUNTERS after = start;
    const bool ran = clicked && e2e::WaitFor(kRefreshDeadlineMs, [&] {
        after = CountersOf(running->process.handle());
        return after.PeakWorkingSetSize >= start.WorkingSetSize + (12u << 20) && NumberIn(TextOf(tim1)) >= 0;
    });
    DWORD_PTR result = 0;
    const bool answers = SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
    report.Check("free_up_of_16_mb_runs_to_its_end", ran && answers,
        std::string(clicked ? "TIM1 double-clicked; " : "SendInput failed; ") + "working set " +
            Mb(start.WorkingSetSize) + ", peak " + Mb(start.PeakWorkingSetSize) + " -> " +
            Mb(after.PeakWorkingSetSize) + "; TIM1 '" + TextOf(tim1) + "'; bar " +
            (answers ? "answers" : "does not answer"));

    running->process.Kill();
    DeleteRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace bar_probe
