// The refresh tick on the simulated platform: the task work in steady state and under churn, and
// the whole tick.
#include "bar/TOLVIX.h"
#include "platform/sim/SimPlatform.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#if defined(__GNUC__)
// The replaced operators below pair malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Counts heap allocations so the benchmark can report what a steady tick allocates.
static std::atomic<long long> g_allocations {0};
void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

struct Desk {
    sim::SimPlatform sim;
    std::unique_ptr<bar::TOLVIX> bar;
    std::vector<platform::WindowHandle> windows;

    // prepare runs after the windows open and before the bar starts.
    explicit Desk(int count, const std::function<void(Desk&)>& prepare = {})
    {
        for (int i = 0; i < count; ++i)
            windows.push_back(sim.sim_desktop().open("Window " + std::to_string(i)));
        if (prepare)
            prepare(*this);
        bar = std::make_unique<bar::TOLVIX>(sim);
        bar->Load();
    }
};

// Runs tick once to settle, then times it, reporting what a tick allocates and writes.
template <class Tick> void MeasureSteady(benchmark::State& state, Desk& desk, Tick tick)
{
    tick();
    const long long writesBefore = desk.sim.sim_toolkit().propertyWrites;
    const long long allocationsBefore = g_allocations.load();
    for (auto _ : state)
        tick();
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["allocs/tick"] = static_cast<double>(g_allocations.load() - allocationsBefore) / iterations;
    state.counters["writes/tick"] =
        static_cast<double>(desk.sim.sim_toolkit().propertyWrites - writesBefore) / iterations;
}

void RefreshSteady(benchmark::State& state)
{
    Desk desk(static_cast<int>(state.range(0)));
    MeasureSteady(state, desk, [&] { desk.bar->RefreshTaskButtons(); });
    state.SetComplexityN(state.range(0));
}

// Every window with an icon of its own, all answered: the buttons show copies of them.
void RefreshSteadyIcons(benchmark::State& state)
{
    Desk desk(static_cast<int>(state.range(0)), [](Desk& d) {
        for (platform::WindowHandle w : d.windows)
            d.sim.sim_desktop().find(w)->icon = d.sim.sim_desktop().icons.makeProgramIcon();
    });
    desk.sim.sim_desktop().answerIconAsks();
    MeasureSteady(state, desk, [&] { desk.bar->RefreshTaskButtons(); });
    state.SetComplexityN(state.range(0));
}

// Two monitors, half the windows on each, and task buttons only for the bar's monitor.
void RefreshSteadyOneMonitor(benchmark::State& state)
{
    Desk desk(static_cast<int>(state.range(0)), [](Desk& d) {
        auto& desktop = d.sim.sim_desktop();
        desktop.monitorList = {{1, "\\\\.\\DISPLAY1", {0, 0, 1024, 768}, {0, 0, 1024, 768}, true},
            {2, "\\\\.\\DISPLAY2", {1024, 0, 2048, 768}, {1024, 0, 2048, 768}, false}};
        d.sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, "Software\\Brenwick\\Tolvix",
            "General_TasksOfBarMonitorOnly", {platform::kRegDword, std::string {'\0', '\0', '\0', '\x01'}});
        for (std::size_t i = 1; i < d.windows.size(); i += 2)
            desktop.moveWindow(d.windows[i], {1100, 100, 1700, 500});
    });
    MeasureSteady(state, desk, [&] { desk.bar->RefreshTaskButtons(); });
    state.SetComplexityN(state.range(0));
}

// A program's windows side by side: the windows of ten programs, opened in turns.
void RefreshSteadyNeighbours(benchmark::State& state)
{
    Desk desk(static_cast<int>(state.range(0)), [](Desk& d) {
        for (std::uint32_t p = 0; p < 10; ++p)
            d.sim.sim_processes().images[200 + p] = "C:\\Apps\\program" + std::to_string(p) + ".exe";
        for (std::size_t i = 0; i < d.windows.size(); ++i)
            d.sim.sim_desktop().find(d.windows[i])->options.processId = static_cast<std::uint32_t>(200 + i % 10);
        d.sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, "Software\\Brenwick\\Tolvix",
            "General_TaskNeighbours", {platform::kRegDword, std::string {'\0', '\0', '\0', '\x01'}});
    });
    MeasureSteady(state, desk, [&] { desk.bar->RefreshTaskButtons(); });
    state.SetComplexityN(state.range(0));
}

void RefreshChurn(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Desk desk(count);
    auto& desktop = desk.sim.sim_desktop();
    std::size_t next = 0;
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A tenth of the windows close and as many new ones open.
        for (int k = 0; k < count / 10; ++k) {
            desktop.close(desk.windows[next]);
            desk.windows[next] = desktop.open("New " + std::to_string(serial++));
            next = (next + 7) % desk.windows.size();
        }
        desktop.zOrder(); // settle the simulated desktop's index outside the timing
        desktop.getWindow(desk.windows[0], platform::WindowRelation::Next);
        state.ResumeTiming();
        desk.bar->RefreshTaskButtons();
    }
    state.SetComplexityN(state.range(0));
}

// The whole refresh tick (buttons, memory, clock, pending messages, automatic free-up, lamp,
// Winamp, process count) with nothing changing between ticks.
void FullTickSteady(benchmark::State& state)
{
    Desk desk(static_cast<int>(state.range(0)));
    auto& processes = desk.sim.sim_processes().table;
    for (int i = 0; i < state.range(1); ++i)
        processes.push_back({static_cast<std::uint32_t>(8 + 4 * i), "process" + std::to_string(i) + ".exe"});
    desk.sim.sim_memory().figures = {512ull << 20, 200ull << 20, 1024ull << 20, 900ull << 20};
    desk.sim.sim_registry().recordOpens = false; // the record is the simulation's own cost
    MeasureSteady(state, desk, [&] { desk.bar->Refresh(); });
}

} // namespace

BENCHMARK(FullTickSteady)->Args({1000, 2000})->Unit(benchmark::kMicrosecond);
BENCHMARK(RefreshSteady)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(RefreshSteadyIcons)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(RefreshSteadyOneMonitor)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(RefreshSteadyNeighbours)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(RefreshChurn)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();

BENCHMARK_MAIN();
