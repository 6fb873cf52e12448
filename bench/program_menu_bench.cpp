// The program menu of a full catalogue: building it from 65,536 entries, and a "redetect" as the
// user chooses it (loading the known-task file against the registry, then building).
#include "bar/TOLVIX.h"
#include "platform/sim/SimPlatform.h"
#include "progmenu/ProgramMenu.h"
#include "progmenu/ProgramMenuIds.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kEntries = 65536;

std::vector<progmenu::KnownTask> FullCatalogue()
{
    std::vector<progmenu::KnownTask> catalogue;
    catalogue.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        catalogue.push_back({i % 16, "Application " + std::to_string(i), "app" + std::to_string(i) + ".exe"});
    return catalogue;
}

void BM_BuildProgramMenu(benchmark::State& state)
{
    const std::vector<progmenu::KnownTask> catalogue = FullCatalogue();
    ui::MenuItem mx = progmenu::ProgramMenuTree();
    progmenu::ProgramMenu menu(
        mx, [](int, std::size_t) {}, [] {});
    for (auto _ : state) {
        menu.BuildProgramMenu(catalogue);
        benchmark::DoNotOptimize(mx.items.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_BuildProgramMenu)->Unit(benchmark::kMillisecond);

// Through the bar, as the user's "redetect": the file, one registry value per line, the build.
void BM_Redetect(benchmark::State& state)
{
    sim::SimPlatform sim;
    std::string file;
    for (int i = 0; i < kEntries; ++i) {
        const std::string name = "v" + std::to_string(i % 1024);
        file += "Application " + std::to_string(i) + "=" + "0123456789abcdef"[i % 16] + ":HKCU\\Software\\Apps\\" +
            name + "\r\n";
    }
    for (int i = 0; i < 1024; ++i)
        sim.sim_registry().putValue(platform::RegistryRoot::CurrentUser, "Software\\Apps", "v" + std::to_string(i),
            {platform::kRegSz, "app" + std::to_string(i) + ".exe"});
    sim.sim_registry().recordOpens = false;
    sim.sim_files().content["C:\\Bars\\tolvix.TSK"] = file;
    bar::TOLVIX bar(sim);
    bar.Load();
    const ui::MenuItem* redetect = ui::FindMenuItem(bar.mainMenu(), progmenu_ids::MX2);
    for (auto _ : state) {
        redetect->action();
        benchmark::DoNotOptimize(bar.catalogue().entries().size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_Redetect)->Unit(benchmark::kMillisecond);

} // namespace
