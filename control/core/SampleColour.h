#pragma once
// The colour ramp of the graph: red at fraction 0, yellow at 0.5, green at 1.
#include <cstdint>

namespace dralith {

// Platform colour value red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue)
{
    return static_cast<Colour>(red) + 256u * static_cast<Colour>(green) + 65536u * static_cast<Colour>(blue);
}

constexpr int kBackgroundBase = 128; // dark tones behind the graph
constexpr int kLineBase = 0;         // 0 means 255: bright tones for the lines
constexpr Colour kProgressLineColour = rgb(255, 255, 255);

// base 0 means 255. fraction <= 0.5: red = base, green = floor(base * fraction / 0.5);
// above: red = base - floor(base * (fraction - 0.5) / 0.5), green = base. Blue is 0.
// The fraction is clamped into 0..1 (samples always are).
Colour SampleColour(double fraction, int base);

} // namespace dralith
