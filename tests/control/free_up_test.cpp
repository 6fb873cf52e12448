// The free-up loop: how many blocks it takes, when it lets messages run, how a stop request
// ends it, and that everything is released at the end.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "control/core/Enumerations.h"
#include "control/core/FreeUp.h"
#include "control/core/MemoryViewer.h"
#include "RecordingSurface.h"

using namespace dralith;

namespace {

constexpr std::uint64_t MiB = 1024u * 1024u;

// Hands out tiny blocks and counts them; can be told to fail chosen allocations.
class CountingAllocator : public BlockAllocator {
public:
    std::unique_ptr<MemoryBlock> allocate() override
    {
        ++attempts;
        if (failAttempt == attempts)
            throw std::bad_alloc();
        ++live;
        if (live > peakLive)
            peakLive = live;
        return std::make_unique<Block>(*this);
    }

    int attempts = 0;
    int live = 0;
    int peakLive = 0;
    int failAttempt = 0; // 1-based attempt that throws; 0 for none

private:
    class Block : public MemoryBlock {
    public:
        explicit Block(CountingAllocator& owner)
            : owner_(owner)
        {
        }
        ~Block() override { --owner_.live; }

    private:
        CountingAllocator& owner_;
    };
};

MemoryFigures machineWithPhysicalMB(std::uint64_t megabytesInstalled)
{
    MemoryFigures f;
    f.totalPhys = megabytesInstalled * MiB;
    f.availPhys = f.totalPhys / 2;
    f.totalPageFile = f.totalPhys;
    f.availPageFile = f.totalPhys / 2;
    return f;
}

struct FreeUpRun {
    MemoryViewer viewer;
    CountingAllocator allocator;
    std::vector<std::int64_t> pumpedAtStep;
    std::function<void()> duringPump; // what "arrives" while messages are processed

    void run(std::int32_t amountMB, const MemoryFigures& figures)
    {
        viewer.freeUpMemory(amountMB, figures, allocator, [this] {
            pumpedAtStep.push_back(viewer.freeUp().step());
            if (duringPump)
                duringPump();
        });
    }
};

} // namespace

TEST(FreeUp, BreakFreeingWhileIdleTakesOneBlockAndReleasesIt)
{
    FreeUpRun r;
    r.run(static_cast<std::int32_t>(FreeMemModes::BreakFreeing), machineWithPhysicalMB(256));
    EXPECT_EQ(r.allocator.attempts, 1);
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_EQ(r.pumpedAtStep, (std::vector<std::int64_t> {0}));
    EXPECT_EQ(r.viewer.freeUp().step(), 0);
    EXPECT_FALSE(r.viewer.freeUp().running());
}

TEST(FreeUp, TakesAmountPlusOneBlocksAndLetsMessagesRunEverySixth)
{
    FreeUpRun r;
    r.run(20, machineWithPhysicalMB(256));
    EXPECT_EQ(r.allocator.attempts, 21);
    EXPECT_EQ(r.allocator.peakLive, 21); // all held at once, released only at the end
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_EQ(r.pumpedAtStep, (std::vector<std::int64_t> {0, 6, 12, 18}));
    EXPECT_EQ(r.viewer.freeUp().total(), 20);
    EXPECT_EQ(r.viewer.freeUp().step(), 0);
}

TEST(FreeUp, AmountAbovePhysicalMemoryIsClippedToItsMegabytes)
{
    FreeUpRun r;
    r.run(100, machineWithPhysicalMB(10)); // Mmax = 11
    EXPECT_EQ(r.allocator.attempts, 12);   // slots 0..Mmax
    EXPECT_EQ(r.allocator.live, 0);
}

TEST(FreeUp, EnumerationAmountsRequestTheirCompiledValues)
{
    FreeUpRun r256;
    r256.run(static_cast<std::int32_t>(FreeMemModes::Free256MB), machineWithPhysicalMB(4096));
    EXPECT_EQ(r256.allocator.attempts, 193);
    FreeUpRun r768;
    r768.run(static_cast<std::int32_t>(FreeMemModes::Free768MB), machineWithPhysicalMB(4096));
    EXPECT_EQ(r768.allocator.attempts, 787);
}

TEST(FreeUp, SecondCallDuringMessageProcessingStopsAfterTheCurrentBlock)
{
    FreeUpRun r;
    int stopCalls = 0;
    r.duringPump = [&] {
        if (r.viewer.freeUp().step() == 6) {
            ++stopCalls;
            const int before = r.allocator.attempts;
            r.run(static_cast<std::int32_t>(FreeMemModes::Free128MB), machineWithPhysicalMB(256));
            EXPECT_EQ(r.allocator.attempts, before) << "a stop request allocates nothing";
            EXPECT_TRUE(r.viewer.freeUp().running());
        }
    };
    r.run(30, machineWithPhysicalMB(256));
    EXPECT_EQ(stopCalls, 1);
    EXPECT_EQ(r.allocator.attempts, 7); // blocks 0..6
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_EQ(r.pumpedAtStep, (std::vector<std::int64_t> {0, 6}));
    EXPECT_FALSE(r.viewer.freeUp().running());
    EXPECT_EQ(r.viewer.freeUp().step(), 0);
}

TEST(FreeUp, StopRequestDuringTheFirstBlockEndsItToo)
{
    FreeUpRun r;
    int stopRequests = 0;
    r.duringPump = [&] {
        if (stopRequests++ == 0)
            r.run(0, machineWithPhysicalMB(256)); // arrives while the step is still 0
    };
    r.run(30, machineWithPhysicalMB(256));
    EXPECT_EQ(r.allocator.attempts, 1);
    EXPECT_EQ(r.allocator.live, 0);
}

TEST(FreeUp, LeftClickWhileRunningStopsIt)
{
    FreeUpRun r;
    const MemoryFigures figures = machineWithPhysicalMB(256);
    r.viewer.state().setFreeOnClick(kTrue);
    r.duringPump = [&] {
        if (r.viewer.freeUp().step() == 12) {
            EXPECT_TRUE(r.viewer.leftButtonReleased(figures, r.allocator, [] {}));
        }
    };
    r.run(100, figures);
    EXPECT_EQ(r.allocator.attempts, 13);
}

TEST(FreeUp, FailedAllocationsAreSkippedAndTheRestReleased)
{
    FreeUpRun r;
    r.allocator.failAttempt = 3;
    r.run(8, machineWithPhysicalMB(256));
    EXPECT_EQ(r.allocator.attempts, 9);
    EXPECT_EQ(r.allocator.peakLive, 8);
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_EQ(r.pumpedAtStep, (std::vector<std::int64_t> {0, 6}));
}

TEST(FreeUp, BlockNumbersBeyondTheTableAreSkippedButTheLoopGoesOn)
{
    FreeUpRun r;
    r.run(70000, machineWithPhysicalMB(100000));
    EXPECT_EQ(r.allocator.attempts, 65536);
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_EQ(r.pumpedAtStep.back(), 69996); // messages still run past the table's end
}

TEST(FreeUp, NegativeAmountTakesNothing)
{
    FreeUpRun r;
    r.run(-5, machineWithPhysicalMB(256));
    EXPECT_EQ(r.allocator.attempts, 0);
    EXPECT_TRUE(r.pumpedAtStep.empty());
}

TEST(FreeUp, AFailingMessagePumpStillLeavesItIdleWithEverythingReleased)
{
    FreeUpRun r;
    r.duringPump = [&] {
        if (r.viewer.freeUp().step() == 6)
            throw std::runtime_error("host failure");
    };
    EXPECT_THROW(r.run(20, machineWithPhysicalMB(256)), std::runtime_error);
    EXPECT_EQ(r.allocator.live, 0);
    EXPECT_FALSE(r.viewer.freeUp().running());
    EXPECT_EQ(r.viewer.freeUp().step(), 0);
    r.duringPump = nullptr;
    r.run(2, machineWithPhysicalMB(256)); // a new free-up runs, not a stop request
    EXPECT_EQ(r.allocator.attempts, 7 + 3);
}

TEST(FreeUp, RefreshDuringAFreeUpDrawsTheProgressLine)
{
    FreeUpRun r;
    const MemoryFigures figures = machineWithPhysicalMB(256);
    dralith_test::RecordingSurface surface;
    r.viewer.refresh(figures, 100, 60, surface);
    std::vector<std::size_t> lineCounts;
    std::vector<double> progressY;
    r.duringPump = [&] {
        r.viewer.refresh(figures, 100, 60, surface);
        lineCounts.push_back(surface.lines.size());
        if (r.viewer.freeUp().step() > 0) {
            const GraphLine& progress = surface.lines.back();
            EXPECT_EQ(progress.colour, kProgressLineColour);
            EXPECT_EQ(progress.fromX, 0.0);
            EXPECT_EQ(progress.toX, 100.0);
            EXPECT_EQ(progress.fromY, progress.toY);
            progressY.push_back(progress.fromY);
        }
    };
    r.run(12, figures);
    // Step 0 (first block): graph only; steps 6 and 12: graph plus the progress line.
    EXPECT_EQ(lineCounts, (std::vector<std::size_t> {1, 3, 4}));
    EXPECT_EQ(progressY, (std::vector<double> {30.0, 60.0}));
    r.viewer.refresh(figures, 100, 60, surface);
    EXPECT_EQ(surface.lines.size(), 4u) << "no progress line once the free-up has ended";
}

TEST(FreeOnClick, LeftClickFreesThreeQuartersOfPhysicalMemoryRoundedHalfToEven)
{
    EXPECT_EQ(freeOnClickAmountMB(14), 10);   // 10.5
    EXPECT_EQ(freeOnClickAmountMB(10), 8);    // 7.5
    EXPECT_EQ(freeOnClickAmountMB(257), 193); // 192.75
    EXPECT_EQ(freeOnClickAmountMB(2147483647), 1610612735);

    FreeUpRun r;
    const MemoryFigures figures = machineWithPhysicalMB(13); // MemoryMaxMB 14
    EXPECT_FALSE(r.viewer.leftButtonReleased(figures, r.allocator, [] {}));
    EXPECT_EQ(r.allocator.attempts, 0);
    r.viewer.state().setFreeOnClick(kTrue);
    EXPECT_TRUE(r.viewer.leftButtonReleased(figures, r.allocator, [] {}));
    EXPECT_EQ(r.allocator.attempts, 11); // slots 0..10
}

TEST(BlankTextBlock, IsTwoMebibytesOfSpaces)
{
    BlankTextBlock block;
    ASSERT_EQ(block.text().size(), kBlockChars);
    EXPECT_EQ(block.text().size() * sizeof(char16_t), 2u * MiB);
    EXPECT_EQ(block.text().find_first_not_of(u' '), std::u16string::npos);
    BlankTextBlockAllocator allocator;
    EXPECT_NE(allocator.allocate(), nullptr);
}
