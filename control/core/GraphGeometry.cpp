#include "control/core/GraphGeometry.h"

namespace dralith {

Colour backgroundColour(const SampleHistory& history) {
    const int newest = history.empty() ? 0 : history.newestFirst(0);
    return SampleColour(newest / 255.0, kBackgroundBase);
}

std::optional<double> progressLineY(double height, std::int64_t step, std::int64_t total) {
    if (step <= 0 || total <= 0)
        return std::nullopt;
    return height * static_cast<double>(step) / static_cast<double>(total);
}

} // namespace dralith
