// One Refresh worth of core work: sample, history push, graph geometry and display text, with
// the history full at 32 and at 1,024 samples. The surface only sums what it is given, so the
// figure is the core's own cost, not drawing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "control/core/MemoryViewer.h"

namespace {

constexpr std::uint64_t MiB = 1024u * 1024u;

class SummingSurface : public dralith::GraphSurface {
public:
    void clear(dralith::Colour background) override { sum += background; }
    void drawLine(const dralith::GraphLine& line) override { sum += line.toX + line.toY + line.colour; }
    void setCaption(std::string_view text) override { sum += static_cast<double>(text.size()); }
    double sum = 0;
};

dralith::MemoryFigures figuresForTick(std::int64_t tick)
{
    dralith::MemoryFigures f;
    f.totalPhys = 8192 * MiB;
    f.availPhys = static_cast<std::uint64_t>(1000 + tick % 4000) * MiB;
    f.totalPageFile = 12288 * MiB;
    f.availPageFile = 6000 * MiB;
    f.totalVirtual = 128ull * 1024 * 1024 * MiB;
    f.availVirtual = 127ull * 1024 * 1024 * MiB;
    return f;
}

void BM_RefreshCore(benchmark::State& state)
{
    dralith::MemoryViewer viewer;
    viewer.state().setDataLength(static_cast<float>(state.range(0)));
    viewer.state().setDisplayMode(6.0f); // the longest text
    SummingSurface surface;
    std::int64_t tick = 0;
    for (std::int64_t i = 0; i < state.range(0); ++i) // fill the history first
        viewer.refresh(figuresForTick(tick++), 640.0, 120.0, surface);
    for (auto _ : state) {
        viewer.refresh(figuresForTick(tick++), 640.0, 120.0, surface);
        benchmark::DoNotOptimize(surface.sum);
    }
    state.counters["segments"] = static_cast<double>(viewer.history().size() - 1);
}
BENCHMARK(BM_RefreshCore)->Arg(32)->Arg(1024);

} // namespace
