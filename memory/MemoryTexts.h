#pragma once
// The memory indicator's texts and figures as pure functions: no platform, no allocation beyond
// what the caller's strings already hold.
#include "platform/Memory.h"

#include <cstdint>
#include <string>

namespace memory {

constexpr std::uint64_t kBytesPerMegabyte = 1024 * 1024;
constexpr int kTopLevel = 6;

// Whole megabytes, cut down (1,048,575 bytes is 0 MB).
constexpr std::uint64_t wholeMegabytes(std::uint64_t bytes)
{
    return bytes / kBytesPerMegabyte;
}

// "A / T MB physical  -  PA / PT MB pagefile", written over `out`.
void writeTooltip(const platform::MemoryFigures& figures, std::string& out);

// The free physical megabytes as plain digits, written over `out`.
void writeFreeMegabytes(const platform::MemoryFigures& figures, std::string& out);

// floor(avail / total * 7), clamped to 0..6; 0 when total is 0.
int gaugeLevel(std::uint64_t availPhys, std::uint64_t totalPhys);

// step / steps * 100 rounded to the nearest, an exact half to the even neighbour; 0 when steps
// is not positive.
std::int64_t progressPercent(std::int64_t step, std::int64_t steps);

// "P%", written over `out`.
void writeProgress(std::int64_t step, std::int64_t steps, std::string& out);

// The number of 2-MiB blocks for a free-up of amountMb on a machine of totalMb: the amount,
// or the whole physical memory when the amount is not positive or larger than it, halved
// with an exact half going to the even neighbour (1 gives 0, 3 gives 2, 5 gives 2).
std::int64_t blockCount(std::int64_t amountMb, std::uint64_t totalMb);

} // namespace memory
