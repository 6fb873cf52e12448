// The text over the graph in every display mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "control/core/DisplayText.h"

using namespace dralith;

namespace {
constexpr std::uint64_t MiB = 1024u * 1024u;
constexpr std::uint64_t GiB = 1024u * MiB;

// 64 of 256 MB physical free, 300 of 600 MB page file free, all exact megabytes.
MemoryFigures workedExample()
{
    MemoryFigures f;
    f.totalPhys = 256 * MiB;
    f.availPhys = 64 * MiB;
    f.totalPageFile = 600 * MiB;
    f.availPageFile = 300 * MiB;
    f.totalVirtual = 2 * GiB;
    f.availVirtual = 1 * GiB;
    return f;
}
} // namespace

TEST(DisplayText, WorkedExampleInEveryMode)
{
    const MemoryFigures f = workedExample();
    EXPECT_EQ(displayText(0, f), "");
    EXPECT_EQ(displayText(1, f), "25% free");
    EXPECT_EQ(displayText(2, f), "65 MB free");
    EXPECT_EQ(displayText(3, f), "25% physical free\r50% pagefile free");
    EXPECT_EQ(displayText(4, f), "65 MB physical free\r50% pagefile free");
    EXPECT_EQ(displayText(5, f), "65 MB physical free\r301 MB pagefile free");
    EXPECT_EQ(displayText(6, f), "65 MB physical free\r301 / 601 MB pagefile free");
}

TEST(DisplayText, ValuesOutsideTheModesShowNothing)
{
    const MemoryFigures f = workedExample();
    EXPECT_EQ(displayText(7, f), "");
    EXPECT_EQ(displayText(-1, f), "");
    EXPECT_EQ(displayText(2.5, f), "");
    EXPECT_EQ(displayText(1e30, f), "");
}

TEST(DisplayText, PercentagesRoundHalvesToEven)
{
    MemoryFigures f;
    f.totalPhys = 8 * MiB;
    f.availPhys = 1 * MiB; // 12.5 %
    f.totalPageFile = 8 * MiB;
    f.availPageFile = 3 * MiB; // 37.5 %
    EXPECT_EQ(displayText(3, f), "12% physical free\r38% pagefile free");
}

TEST(DisplayText, LargeMachinesShowTrueMegabytes)
{
    MemoryFigures f;
    f.totalPhys = 16 * GiB;
    f.availPhys = 3 * GiB;
    f.totalPageFile = 24 * GiB;
    f.availPageFile = 20 * GiB;
    EXPECT_EQ(displayText(2, f), "3073 MB free");
    EXPECT_EQ(displayText(6, f), "3073 MB physical free\r20481 / 24577 MB pagefile free");
    EXPECT_EQ(displayText(3, f), "19% physical free\r83% pagefile free");
}

TEST(DisplayText, FiguresBeyondALongAreClipped)
{
    MemoryFigures f;
    f.totalPhys = 1ull << 62;
    f.availPhys = 1ull << 61;
    f.totalPageFile = 1ull << 62;
    f.availPageFile = 1ull << 60;
    EXPECT_EQ(displayText(2, f), "2147483647 MB free");
    EXPECT_EQ(displayText(6, f), "2147483647 MB physical free\r2147483647 / 2147483647 MB pagefile free");
    EXPECT_EQ(displayText(1, f), "50% free");
}

TEST(DisplayText, ANoPageFileMachineShowsZeroPercentInsteadOfFailing)
{
    MemoryFigures f = workedExample();
    f.totalPageFile = 0;
    f.availPageFile = 0;
    EXPECT_EQ(displayText(3, f), "25% physical free\r0% pagefile free");
}

TEST(DisplayText, RewritingTheCallersBufferReplacesTheOldText)
{
    std::string buffer = "left over from before";
    displayText(1, workedExample(), buffer);
    EXPECT_EQ(buffer, "25% free");
    displayText(0, workedExample(), buffer);
    EXPECT_EQ(buffer, "");
}
