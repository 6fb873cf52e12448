#pragma once
// The memory status the control reads once per Refresh, FreeUpMemory or memory property read,
// and the figures derived from it. Byte counts are 64-bit so machines with 2 GiB or more show
// true sizes; figures handed out as a Long are clipped to its largest value.
#include <cstdint>

namespace dralith {

struct MemoryFigures {
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;
};

// The control's megabyte rule: whole part of bytes / 1 MiB, plus 1 (0 bytes -> 1,
// 1,048,576 bytes -> 2), clipped to INT32_MAX.
std::int32_t megabytes(std::uint64_t bytes);

// part / whole * 100 rounded half-to-even (the P and Q of the display texts); 0 when whole is 0,
// clipped to INT32_MAX should a part ever exceed its whole by that much.
std::int32_t percentOf(std::uint64_t part, std::uint64_t whole);

// One graph sample: availPhys / totalPhys * 255 rounded half-to-even, 0..255.
// A total of 0 gives 0; a free figure above the total is taken as all free (255).
std::uint8_t freeMemorySample(const MemoryFigures& figures);

// The read-only memory properties, one per field of the figures.
enum class MemoryField { TotalPhys, AvailPhys, TotalPageFile, AvailPageFile, TotalVirtual, AvailVirtual };
std::uint64_t fieldBytes(const MemoryFigures& figures, MemoryField field);
// FreeMemory / MemoryCurrentMB = megabytesOf(f, AvailPhys), MemoryMaxMB = TotalPhys, and so on.
inline std::int32_t megabytesOf(const MemoryFigures& figures, MemoryField field)
{
    return megabytes(fieldBytes(figures, field));
}

} // namespace dralith
