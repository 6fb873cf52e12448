#include "control/core/GraphGeometry.h"

#include <array>

namespace dralith {

Colour backgroundColour(const SampleHistory& history)
{
    const int newest = history.empty() ? 0 : history.newestFirst(0);
    return SampleColour(newest / 255.0, kBackgroundBase);
}

Colour lineColour(std::uint8_t sample)
{
    static const std::array<Colour, 256> table = [] {
        std::array<Colour, 256> colours {};
        for (std::size_t s = 0; s < colours.size(); ++s)
            colours[s] = SampleColour(static_cast<double>(s) / 255.0, kLineBase);
        return colours;
    }();
    return table[sample];
}

std::optional<double> progressLineY(double height, std::int64_t step, std::int64_t total)
{
    if (step <= 0 || total <= 0)
        return std::nullopt;
    return height * static_cast<double>(step) / static_cast<double>(total);
}

} // namespace dralith
