#include "tasks/TaskRows.h"

#include <algorithm>
#include <cmath>

namespace tasks {

TaskRows ArrangeTaskRows(std::size_t count, float top, float height, float bottom)
{
    const float usual = 1.25f * height;
    const auto fits = [&](float pitch) { return top + static_cast<float>(count - 1) * pitch + height <= bottom; };
    if (count <= 1 || fits(usual))
        return {top, usual, count, false};
    // Closer together, in whole twips, while each keeps its full height.
    const float closer = std::floor((bottom - top - height) / static_cast<float>(count - 1));
    if (closer >= height)
        return {top, closer, count, false};
    const float first = kScrollArrowHeight;
    const float rows = std::floor((bottom - kScrollArrowHeight - first) / height);
    return {first, height, static_cast<std::size_t>(std::max(1.0f, rows)), true};
}

} // namespace tasks
