#include "control/core/Rounding.h"

#include <cmath>
#include <limits>

namespace dralith {

double roundHalfEven(double value)
{
    const double whole = std::floor(value);
    const double rest = value - whole;
    if (rest < 0.5)
        return whole;
    if (rest > 0.5)
        return whole + 1.0;
    const double half = whole * 0.5; // an exact half: keep the even one of whole, whole + 1
    return half == std::floor(half) ? whole : whole + 1.0;
}

std::int32_t roundHalfEvenToLong(double value)
{
    const double rounded = roundHalfEven(value);
    if (std::isnan(rounded))
        return 0;
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t clipToLong(std::int64_t value)
{
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace dralith
