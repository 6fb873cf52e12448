// The numeric rules under everything the control shows: rounding, megabytes, the sample and
// the colour ramp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "control/core/MemoryFigures.h"
#include "control/core/Rounding.h"
#include "control/core/SampleColour.h"

using namespace dralith;

namespace {
constexpr std::uint64_t MiB = 1024u * 1024u;
constexpr std::uint64_t GiB = 1024u * MiB;
constexpr std::int32_t kLongMax = std::numeric_limits<std::int32_t>::max();
} // namespace

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
}

TEST(Rounding, ToLongClipsAndTreatsNotANumberAsZero)
{
    EXPECT_EQ(roundHalfEvenToLong(1e12), kLongMax);
    EXPECT_EQ(roundHalfEvenToLong(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(roundHalfEvenToLong(std::nan("")), 0);
    EXPECT_EQ(roundHalfEvenToLong(6.5), 6);
}

TEST(Megabytes, WholePartPlusOne)
{
    EXPECT_EQ(megabytes(0), 1);
    EXPECT_EQ(megabytes(MiB - 1), 1);
    EXPECT_EQ(megabytes(MiB), 2);
    EXPECT_EQ(megabytes(64 * MiB), 65);
}

TEST(Megabytes, TwoGibibytesAndMoreShowTrueSizes)
{
    EXPECT_EQ(megabytes(2 * GiB), 2049);
    EXPECT_EQ(megabytes(4 * GiB + 5 * MiB), 4102);
    EXPECT_EQ(megabytes(64 * GiB), 65537);
}

TEST(Megabytes, FiguresBeyondALongAreClippedToItsLargestValue)
{
    const std::uint64_t lastFitting = static_cast<std::uint64_t>(kLongMax - 1) * MiB; // gives kLongMax
    EXPECT_EQ(megabytes(lastFitting), kLongMax);
    EXPECT_EQ(megabytes(lastFitting + MiB), kLongMax);
    EXPECT_EQ(megabytes(std::numeric_limits<std::uint64_t>::max()), kLongMax);
}

TEST(Megabytes, EachMemoryPropertyReadsItsOwnField)
{
    MemoryFigures f {1 * MiB, 2 * MiB, 3 * MiB, 4 * MiB, 5 * MiB, 6 * MiB};
    EXPECT_EQ(megabytesOf(f, MemoryField::TotalPhys), 2);
    EXPECT_EQ(megabytesOf(f, MemoryField::AvailPhys), 3);
    EXPECT_EQ(megabytesOf(f, MemoryField::TotalPageFile), 4);
    EXPECT_EQ(megabytesOf(f, MemoryField::AvailPageFile), 5);
    EXPECT_EQ(megabytesOf(f, MemoryField::TotalVirtual), 6);
    EXPECT_EQ(megabytesOf(f, MemoryField::AvailVirtual), 7);
}

TEST(Percent, RoundsHalvesToEvenAndSurvivesAZeroWhole)
{
    EXPECT_EQ(percentOf(1, 8), 12); // 12.5
    EXPECT_EQ(percentOf(3, 8), 38); // 37.5
    EXPECT_EQ(percentOf(64, 256), 25);
    EXPECT_EQ(percentOf(5, 0), 0);
    EXPECT_EQ(percentOf(6 * GiB, 8 * GiB), 75);
    EXPECT_EQ(percentOf(std::numeric_limits<std::uint64_t>::max(), 1), kLongMax);
}

TEST(Sample, ScalesFreePhysicalMemoryTo255)
{
    MemoryFigures f;
    f.totalPhys = 256 * MiB;
    f.availPhys = 64 * MiB; // 63.75
    EXPECT_EQ(freeMemorySample(f), 64);
    f.availPhys = 128 * MiB; // 127.5: the even neighbour
    EXPECT_EQ(freeMemorySample(f), 128);
    f.availPhys = 0;
    EXPECT_EQ(freeMemorySample(f), 0);
    f.availPhys = f.totalPhys;
    EXPECT_EQ(freeMemorySample(f), 255);
}

TEST(Sample, LargeMachinesAndDegenerateFiguresStayInRange)
{
    MemoryFigures f;
    f.totalPhys = 16 * GiB;
    f.availPhys = 12 * GiB; // 191.25
    EXPECT_EQ(freeMemorySample(f), 191);
    f.totalPhys = 0;
    EXPECT_EQ(freeMemorySample(f), 0);
    f.totalPhys = 1 * GiB; // more free than there is: all free, not a wrapped byte
    EXPECT_EQ(freeMemorySample(f), 255);
}

TEST(SampleColour, BackgroundAtSamplesZeroHalfAndFull)
{
    const Colour empty = SampleColour(0 / 255.0, kBackgroundBase);
    EXPECT_EQ(empty, rgb(128, 0, 0)); // pure dark red
    const Colour justAboveHalf = SampleColour(128 / 255.0, kBackgroundBase);
    EXPECT_EQ(justAboveHalf, rgb(128, 128, 0));
    const Colour full = SampleColour(255 / 255.0, kBackgroundBase);
    EXPECT_EQ(full, rgb(0, 128, 0));
}

TEST(SampleColour, BaseZeroMeansBrightTones)
{
    EXPECT_EQ(SampleColour(0.0, kLineBase), rgb(255, 0, 0));
    EXPECT_EQ(SampleColour(0.5, kLineBase), rgb(255, 255, 0));
    EXPECT_EQ(SampleColour(1.0, kLineBase), rgb(0, 255, 0));
}

TEST(SampleColour, IntermediateShadesAreCutDownNotRounded)
{
    // 255 * 0.25 / 0.5 = 127.5 -> 127 on the rising side, 255 - 127 on the falling side.
    EXPECT_EQ(SampleColour(0.25, 0), rgb(255, 127, 0));
    EXPECT_EQ(SampleColour(0.75, 0), rgb(128, 255, 0));
    // Sample 64 on the background: 128 * 0.25098 / 0.5 = 64.25 -> 64.
    EXPECT_EQ(SampleColour(64 / 255.0, kBackgroundBase), rgb(128, 64, 0));
}
