#include "control/core/MemoryFigures.h"

#include "control/core/Rounding.h"

namespace dralith {

namespace {
constexpr std::uint64_t kMebibyte = 1024u * 1024u;
}

std::int32_t megabytes(std::uint64_t bytes)
{
    // bytes / 1 MiB is below 2^44, so the + 1 cannot overflow.
    return clipToLong(static_cast<std::int64_t>(bytes / kMebibyte) + 1);
}

std::int32_t percentOf(std::uint64_t part, std::uint64_t whole)
{
    if (whole == 0)
        return 0;
    const double share = static_cast<double>(part) / static_cast<double>(whole);
    return roundHalfEvenToLong(share * 100.0);
}

std::uint8_t freeMemorySample(const MemoryFigures& figures)
{
    if (figures.totalPhys == 0)
        return 0;
    if (figures.availPhys >= figures.totalPhys)
        return 255;
    const double share = static_cast<double>(figures.availPhys) / static_cast<double>(figures.totalPhys);
    return static_cast<std::uint8_t>(roundHalfEven(share * 255.0));
}

std::uint64_t fieldBytes(const MemoryFigures& figures, MemoryField field)
{
    switch (field) {
    case MemoryField::TotalPhys:
        return figures.totalPhys;
    case MemoryField::AvailPhys:
        return figures.availPhys;
    case MemoryField::TotalPageFile:
        return figures.totalPageFile;
    case MemoryField::AvailPageFile:
        return figures.availPageFile;
    case MemoryField::TotalVirtual:
        return figures.totalVirtual;
    case MemoryField::AvailVirtual:
        return figures.availVirtual;
    }
    return 0;
}

} // namespace dralith
