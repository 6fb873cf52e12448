// The free-memory indicator and the free-up loop, on simulated memory that only counts blocks.
#include "memory/MODULFreeMem.h"
#include "memory/MemoryTexts.h"
#include "platform/sim/SimMemory.h"

#include <gtest/gtest.h>

using memory::FreeMem;

namespace {
constexpr std::uint64_t MB = 1024 * 1024;

platform::MemoryFigures figures(std::uint64_t availMb, std::uint64_t totalMb)
{
    return {totalMb * MB, availMb * MB, 512 * MB, 400 * MB};
}

struct Status {
    std::string tooltip, result;
    int level = -1;
    void call(FreeMem& fm, int mode) { fm.MemoryStatus(mode, tooltip, level, result); }
};
} // namespace

TEST(MemoryTexts, FiguresTooltipGaugeProgressAndBlockCount)
{
    std::string out;
    memory::writeTooltip({8192 * MB, 50 * MB + MB - 1, 512 * MB, 400 * MB}, out);
    EXPECT_EQ(out, "50 / 8192 MB physical  -  400 / 512 MB pagefile");
    EXPECT_EQ(memory::wholeMegabytes(6ull * 1024 * 1024 * MB), 6u * 1024 * 1024) << "64-bit figures";

    EXPECT_EQ(memory::gaugeLevel(0, 0), 0);
    EXPECT_EQ(memory::gaugeLevel(7, 7), 6) << "all free is the top picture, not 7";
    EXPECT_EQ(memory::gaugeLevel(3 * MB - 1, 7 * MB), 2);
    EXPECT_EQ(memory::gaugeLevel(~0ull - 1, ~0ull), 6) << "no wrap on huge figures";

    EXPECT_EQ(memory::progressPercent(16, 64), 25);
    EXPECT_EQ(memory::progressPercent(1, 8), 12) << "12.5 goes to the even 12";
    EXPECT_EQ(memory::progressPercent(3, 8), 38) << "37.5 goes to the even 38";

    for (auto [amount, blocks] : {std::pair {1, 0}, {3, 2}, {5, 2}, {7, 4}, {64, 32}, {0, 128}, {-4, 128}, {999, 128}})
        EXPECT_EQ(memory::blockCount(amount, 256), blocks) << amount << " MB of 256";
}

TEST(FreeMem, FreeUpShowsProgressSkipsFailedBlocksAndReleasesAll)
{
    sim::SimMemory mem;
    mem.figures = figures(50, 256);
    Status inner, s;
    std::vector<std::string> seen;
    FreeMem fm(mem, [&] {
        inner.call(fm, 0);
        seen.push_back(inner.result);
    });
    fm.setFreeUpAmount(64);
    mem.failingAllocations = {2, 5};

    s.call(fm, FreeMem::kModeFreeUp);
    EXPECT_EQ(s.result, "50") << "the figures from before the free-up";
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(seen, (std::vector<std::string> {"50%", "100%"})) << "pending messages after blocks 16 and 32";
    EXPECT_EQ(mem.allocations, 32) << "the loop goes on after a failed allocation";
    EXPECT_EQ(mem.peakLiveBlocks, 30);
    EXPECT_EQ(mem.liveBlocks, 0);

    const char* storage = s.tooltip.data();
    s.call(fm, 0);
    EXPECT_EQ(s.tooltip.data(), storage) << "a steady call writes into the existing storage";
    fm.setFreeUpAmount(1);
    s.call(fm, FreeMem::kModeFreeUp);
    EXPECT_EQ(mem.allocations, 32) << "1 MB rounds to no block";
}

TEST(FreeMem, SecondRequestOrAbandonStopsTheRunningFreeUp)
{
    sim::SimMemory mem;
    mem.figures = figures(256, 256);
    Status inner, s;
    bool abandon = false;
    long long liveAfterAbandon = -1;
    FreeMem fm(mem, [&] {
        if (!abandon)
            return inner.call(fm, FreeMem::kModeFreeUp);
        fm.Abandon();
        liveAfterAbandon = mem.liveBlocks;
    });
    fm.setFreeUpAmount(128);

    s.call(fm, FreeMem::kModeFreeUp);
    EXPECT_EQ(s.level, 6);
    EXPECT_EQ(inner.result, "25%");
    EXPECT_EQ(inner.level, -1) << "the stopping call leaves the level alone";
    EXPECT_EQ(mem.allocations, 16) << "stopped after the current block";
    EXPECT_EQ(mem.liveBlocks, 0);

    abandon = true;
    s.call(fm, FreeMem::kModeFreeUp);
    EXPECT_EQ(liveAfterAbandon, 0) << "blocks released at once";
    s.call(fm, FreeMem::kModeFreeUp);
    EXPECT_EQ(mem.allocations, 32) << "stopped, and nothing starts once the program is ending";
}

TEST(FreeMem, AutomaticFreeUpOnlyStrictlyBelowTheThreshold)
{
    struct Case {
        bool on;
        int threshold, freeMb, blocks;
    };
    for (auto [on, threshold, freeMb, blocks] :
        {Case {false, 9, 8, 0}, {true, 8, 8, 0}, {true, 9, 8, 2}, {true, 0, 0, 0}}) {
        sim::SimMemory mem;
        mem.figures = figures(freeMb, 256);
        FreeMem fm(mem, {});
        fm.setFreeUpAmount(4);
        fm.setFreeUpAuto(on);
        fm.setFreeUpThreshold(threshold);
        Status().call(fm, 1);
        EXPECT_EQ(mem.allocations, blocks) << on << " " << threshold << " " << freeMb;
    }
}
