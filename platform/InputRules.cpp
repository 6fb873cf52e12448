#include "platform/InputRules.h"

#include <algorithm>

namespace ui {

int ClampedValue(const ControlSpec& bar, int value)
{
    const int low = std::min(bar.min, bar.max);
    const int high = std::max(bar.min, bar.max);
    return std::clamp(value, low, high);
}

int ScrolledValue(const ControlSpec& bar, ScrollRequest request, int thumb)
{
    const int towardsMax = bar.max >= bar.min ? 1 : -1;
    // Wide enough that a step past the range's end cannot overflow before it is clamped.
    long long target = bar.value;
    switch (request) {
    case ScrollRequest::LineUp:
        target -= static_cast<long long>(towardsMax) * bar.smallChange;
        break;
    case ScrollRequest::LineDown:
        target += static_cast<long long>(towardsMax) * bar.smallChange;
        break;
    case ScrollRequest::PageUp:
        target -= static_cast<long long>(towardsMax) * bar.largeChange;
        break;
    case ScrollRequest::PageDown:
        target += static_cast<long long>(towardsMax) * bar.largeChange;
        break;
    case ScrollRequest::Thumb:
        target = thumb;
        break;
    case ScrollRequest::Top:
        target = bar.min;
        break;
    case ScrollRequest::Bottom:
        target = bar.max;
        break;
    }
    const long long low = std::min(bar.min, bar.max);
    const long long high = std::max(bar.min, bar.max);
    return static_cast<int>(std::clamp(target, low, high));
}

std::vector<int> NormalisedSelection(const ControlSpec& list, const std::vector<int>& indices)
{
    std::vector<int> kept;
    const int count = static_cast<int>(list.items.size());
    for (int index : indices) {
        if (index < 0 || index >= count)
            continue;
        kept.push_back(index);
        if (!list.multiSelect)
            break;
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    return kept;
}

bool ClicksOnRelease(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::Picture || kind == ControlKind::Panel ||
        kind == ControlKind::Button;
}

} // namespace ui
