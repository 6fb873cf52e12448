// Loading a full known-task file (65,536 entries) against the simulated registry: one line and
// one key per entry, and the same entries from 4,096 lines of sixteen categories each.
#include "platform/sim/SimPlatform.h"
#include "progmenu/MODULKnownTasks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const char* const kFile = "C:\\Bars\\tolvix.TSK";

void LoadFullCatalogue(benchmark::State& state)
{
    const auto categoriesPerLine = static_cast<std::size_t>(state.range(0));
    const std::size_t lines = progmenu::KnownTasks::kMaxEntries / categoriesPerLine;
    const std::string categories = std::string("0123456789abcdef").substr(0, categoriesPerLine);

    sim::SimPlatform sim;
    sim.sim_registry().recordOpens = false;
    std::string file;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::string key = "Software\\Vendor" + std::to_string(i) + "\\App";
        sim.sim_registry().putValue(platform::RegistryRoot::LocalMachine, key, "Command",
            {platform::kRegSz, "C:\\Program Files\\App" + std::to_string(i) + "\\app.exe" + '\0'});
        file += "Application " + std::to_string(i) + "=" + categories + ":HKLM\\" + key + "\\Command\r\n";
    }
    sim.sim_files().content[kFile] = file;

    progmenu::KnownTasks tasks(sim.files(), sim.registry(), sim.system());
    for (auto _ : state) {
        tasks.LoadKnownTasks(kFile);
        benchmark::DoNotOptimize(tasks.entries().data());
    }
    if (tasks.entries().size() != progmenu::KnownTasks::kMaxEntries)
        state.SkipWithError("the catalogue is not full");
    state.counters["entries"] = static_cast<double>(tasks.entries().size());
    state.counters["file MiB"] = static_cast<double>(file.size()) / (1024 * 1024);
    state.counters["time/entry"] = benchmark::Counter(static_cast<double>(progmenu::KnownTasks::kMaxEntries),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(LoadFullCatalogue)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
