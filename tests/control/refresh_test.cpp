// One Refresh end to end on a recording surface: history, background, graph lines, caption;
// and that a steady tick allocates nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "RecordingSurface.h"
#include "control/core/GraphGeometry.h"
#include "control/core/MemoryViewer.h"
#include "control/core/SampleHistory.h"

using namespace dralith;
using dralith_test::RecordingSurface;

namespace {

constexpr std::uint64_t MiB = 1024u * 1024u;

// 256 MB installed, `freeMB` of it free; the page file half free.
MemoryFigures withFreePhysical(std::uint64_t freeMB)
{
    MemoryFigures f;
    f.totalPhys = 256 * MiB;
    f.availPhys = freeMB * MiB;
    f.totalPageFile = 600 * MiB;
    f.availPageFile = 300 * MiB;
    return f;
}

// 255 MB installed, so the sample equals the free megabytes.
MemoryFigures withSample(std::uint64_t sample)
{
    MemoryFigures f = withFreePhysical(sample);
    f.totalPhys = 255 * MiB;
    return f;
}

std::vector<int> newestFirst(const SampleHistory& history)
{
    std::vector<int> samples;
    for (std::size_t i = 0; i < history.size(); ++i)
        samples.push_back(history.newestFirst(i));
    return samples;
}

} // namespace

TEST(Refresh, FirstTickPaintsTheBackgroundOnlyAndLeavesTheCaption)
{
    MemoryViewer viewer;
    viewer.state().setDisplayMode(1.0f);
    RecordingSurface surface;
    viewer.refresh(withFreePhysical(256), 100, 50, surface);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(surface.background(), rgb(0, 128, 0)); // all free: sample 255
    EXPECT_TRUE(surface.lines.empty());
    EXPECT_FALSE(surface.caption.has_value());
}

TEST(Refresh, SecondTickDrawsOneLineFromLeftEdgeToRightEdgeAndWritesTheText)
{
    MemoryViewer viewer;
    viewer.state().setDisplayMode(1.0f);
    RecordingSurface surface;
    viewer.refresh(withFreePhysical(256), 100, 50, surface); // sample 255: top edge
    viewer.refresh(withFreePhysical(0), 100, 50, surface);   // sample 0: bottom edge
    EXPECT_EQ(surface.background(), rgb(128, 0, 0));
    ASSERT_EQ(surface.lines.size(), 1u);
    const GraphLine& line = surface.lines[0];
    EXPECT_EQ(line.fromX, 0.0);
    EXPECT_EQ(line.fromY, 0.0);
    EXPECT_EQ(line.toX, 100.0);
    EXPECT_EQ(line.toY, 50.0);
    EXPECT_EQ(line.colour, rgb(255, 0, 0)); // coloured by its end point, in bright tones
    EXPECT_EQ(surface.caption, std::string("0% free"));
}

TEST(Refresh, SegmentsRunOldestToNewestAndStartAtTheRoundedPreviousPoint)
{
    MemoryViewer viewer;
    RecordingSurface surface;
    viewer.refresh(withFreePhysical(0), 101, 40, surface);   // sample 0
    viewer.refresh(withFreePhysical(256), 101, 40, surface); // sample 255
    viewer.refresh(withFreePhysical(128), 101, 40, surface); // sample 128
    ASSERT_EQ(surface.lines.size(), 2u);
    EXPECT_EQ(surface.lines[0].fromX, 0.0);
    EXPECT_EQ(surface.lines[0].fromY, 40.0);
    EXPECT_EQ(surface.lines[0].toX, 50.5);
    EXPECT_EQ(surface.lines[0].toY, 0.0);
    EXPECT_EQ(surface.lines[0].colour, rgb(0, 255, 0));
    EXPECT_EQ(surface.lines[1].fromX, 50.0); // 50.5 rounded to the even neighbour
    EXPECT_EQ(surface.lines[1].toX, 101.0);
    EXPECT_NEAR(surface.lines[1].toY, (1.0 - 128 / 255.0) * 40, 1e-9);
    EXPECT_EQ(surface.background(), rgb(128, 128, 0));
}

// A surface may hold lines back (the GDI one batches them), so Refresh must finish them after
// the last line, the progress line included, and before the caption is drawn over them.
TEST(Refresh, FinishesHeldLinesAfterTheLastOneAndBeforeTheCaption)
{
    class EventLog final : public GraphSurface {
    public:
        void clear(Colour) override { events += 'C'; }
        void drawLine(const GraphLine& line) override { events += line.colour == kProgressLineColour ? 'P' : 'L'; }
        void finishLines() override { events += 'F'; }
        void setCaption(std::string_view) override { events += 'T'; }
        std::string events;
    };
    class NoBlock final : public MemoryBlock { };
    class NoAllocation final : public BlockAllocator {
        std::unique_ptr<MemoryBlock> allocate() override { return std::make_unique<NoBlock>(); }
    };

    MemoryViewer viewer;
    viewer.state().setDisplayMode(1.0f);
    EventLog log;
    viewer.refresh(withFreePhysical(10), 100, 50, log);
    EXPECT_EQ(log.events, "C") << "one sample: nothing to finish";
    for (int i = 0; i < 3; ++i)
        viewer.refresh(withFreePhysical(20 + i), 100, 50, log);
    EXPECT_EQ(log.events,
        "C"
        "CLFT"
        "CLLFT"
        "CLLLFT");

    NoAllocation allocator;
    std::string duringFreeUp;
    viewer.freeUpMemory(7, withFreePhysical(100), allocator, [&] {
        if (viewer.freeUp().step() == 0)
            return;
        log.events.clear();
        viewer.refresh(withFreePhysical(30), 100, 50, log);
        duringFreeUp = log.events;
    });
    EXPECT_EQ(duringFreeUp, "CLLLLPFT");
}

TEST(History, KeepsTheNewestSamplesUpToTheDataLength)
{
    MemoryViewer viewer;
    viewer.state().setDataLength(8.0f);
    RecordingSurface surface;
    for (std::uint64_t step = 1; step <= 20; ++step)
        viewer.refresh(withSample(step * 8), 100, 50, surface);
    EXPECT_EQ(newestFirst(viewer.history()), (std::vector<int> {160, 152, 144, 136, 128, 120, 112, 104}));
    EXPECT_EQ(surface.lines.size(), 7u);
}

TEST(History, LoweringTheDataLengthShortensItAtTheNextRefresh)
{
    MemoryViewer viewer;
    RecordingSurface surface;
    for (std::uint64_t mb = 1; mb <= 40; ++mb)
        viewer.refresh(withFreePhysical(mb), 100, 50, surface);
    EXPECT_EQ(viewer.history().size(), 32u);
    viewer.state().setDataLength(10.0f);
    EXPECT_EQ(viewer.history().size(), 32u);
    viewer.refresh(withFreePhysical(200), 100, 50, surface);
    ASSERT_EQ(viewer.history().size(), 10u);
    EXPECT_EQ(viewer.history().newestFirst(0), 199); // 200/256*255 = 199.2
    EXPECT_EQ(viewer.history().newestFirst(1), 40);  // 40/256*255 = 39.8
    viewer.state().setDataLength(50.0f);
    for (int i = 0; i < 60; ++i)
        viewer.refresh(withFreePhysical(200), 100, 50, surface);
    EXPECT_EQ(viewer.history().size(), 50u);
}

TEST(History, RingKeepsItsOrderAcrossWrapsAndGrowth)
{
    SampleHistory history;
    for (int i = 0; i < 100; ++i)
        history.push(static_cast<std::uint8_t>(i), 8);
    for (int i = 100; i < 103; ++i)
        history.push(static_cast<std::uint8_t>(i), 12); // grows while the ring has wrapped
    EXPECT_EQ(newestFirst(history), (std::vector<int> {102, 101, 100, 99, 98, 97, 96, 95, 94, 93, 92}));
    EXPECT_EQ(history.oldestFirst(0), 92);
}

TEST(Caption, DisablingTheDisplayMenuEmptiesTheTextAtTheNextRefresh)
{
    MemoryViewer viewer;
    viewer.state().setDisplayMode(4.0f);
    RecordingSurface surface;
    viewer.refresh(withFreePhysical(64), 100, 50, surface);
    viewer.refresh(withFreePhysical(64), 100, 50, surface);
    EXPECT_EQ(surface.caption, std::string("65 MB physical free\r50% pagefile free"));
    viewer.state().setMenuDisplayEnabled(false);
    EXPECT_TRUE(viewer.state().labelVisible());
    viewer.refresh(withFreePhysical(64), 100, 50, surface);
    EXPECT_EQ(surface.caption, std::string(""));
}

TEST(SteadyTick, AllocatesNothingOnceTheHistoryIsFull)
{
    for (float length : {32.0f, 1024.0f}) {
        MemoryViewer viewer;
        viewer.state().setDataLength(length);
        viewer.state().setDisplayMode(6.0f);
        dralith_test::CountingSurface surface;
        const MemoryFigures figures = withFreePhysical(100);
        for (int i = 0; i < 1100; ++i)
            viewer.refresh(figures, 200, 80, surface);
        const std::size_t before = dralith_test::allocationCount();
        for (int i = 0; i < 200; ++i)
            viewer.refresh(withFreePhysical(static_cast<std::uint64_t>(i % 256)), 200, 80, surface);
        EXPECT_EQ(dralith_test::allocationCount() - before, 0u) << "history length " << length;
        EXPECT_EQ(surface.lines, static_cast<int>(length) - 1);
        EXPECT_GT(surface.captionLength, 0u);
    }
}
