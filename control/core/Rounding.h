#pragma once
// Number conversions used by every rule of the control: whole numbers round to the nearest,
// an exact half to the even neighbour, unless a rule says the value is cut down.
#include <cstdint>

namespace dralith {

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). NaN stays NaN.
double roundHalfEven(double value);

// roundHalfEven, then clipped into the signed 32-bit range (a Long); NaN gives 0.
std::int32_t roundHalfEvenToLong(double value);

// Clips a whole number into the signed 32-bit range.
std::int32_t clipToLong(std::int64_t value);

} // namespace dralith
