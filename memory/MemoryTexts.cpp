#include "memory/MemoryTexts.h"

#include <charconv>

namespace memory {
namespace {

void appendNumber(std::string& out, std::uint64_t value)
{
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

} // namespace

void writeTooltip(const platform::MemoryFigures& figures, std::string& out)
{
    out.clear();
    appendNumber(out, wholeMegabytes(figures.availPhys));
    out += " / ";
    appendNumber(out, wholeMegabytes(figures.totalPhys));
    out += " MB physical  -  ";
    appendNumber(out, wholeMegabytes(figures.availPageFile));
    out += " / ";
    appendNumber(out, wholeMegabytes(figures.totalPageFile));
    out += " MB pagefile";
}

void writeFreeMegabytes(const platform::MemoryFigures& figures, std::string& out)
{
    out.clear();
    appendNumber(out, wholeMegabytes(figures.availPhys));
}

int gaugeLevel(std::uint64_t availPhys, std::uint64_t totalPhys)
{
    if (totalPhys == 0)
        return 0;
    if (availPhys >= totalPhys)
        return kTopLevel; // 7 would be all memory free: shown as the top picture
    // avail * 7 must not wrap even for absurd figures; below that bound the integers are exact.
    const auto level = availPhys <= UINT64_MAX / 7
        ? static_cast<int>(availPhys * 7 / totalPhys)
        : static_cast<int>(static_cast<long double>(availPhys) * 7 / static_cast<long double>(totalPhys));
    return level > kTopLevel ? kTopLevel : level;
}

std::int64_t progressPercent(std::int64_t step, std::int64_t steps)
{
    if (steps <= 0 || step <= 0)
        return 0;
    const std::int64_t scaled = step * 100;
    std::int64_t q = scaled / steps;
    const std::int64_t twiceRest = (scaled % steps) * 2;
    if (twiceRest > steps || (twiceRest == steps && q % 2 != 0))
        ++q;
    return q;
}

void writeProgress(std::int64_t step, std::int64_t steps, std::string& out)
{
    out.clear();
    appendNumber(out, static_cast<std::uint64_t>(progressPercent(step, steps)));
    out += '%';
}

std::int64_t blockCount(std::int64_t amountMb, std::uint64_t totalMb)
{
    std::uint64_t n = static_cast<std::uint64_t>(amountMb);
    if (amountMb <= 0 || totalMb < n)
        n = totalMb;
    std::uint64_t half = n / 2;
    if (n % 2 != 0 && half % 2 != 0)
        ++half;
    return static_cast<std::int64_t>(half);
}

} // namespace memory
