#include "bar/AlignmentChoice.h"

#include "bar/BarGeometry.h"

#include <cmath>

namespace bar {

std::optional<AlignmentChoice> AlignmentChoiceOf(float listIndex)
{
    static const AlignmentChoice kChoices[] = {
        {kFreeFloating, false, false}, // off
        {4, false, false},             // foreground: the screen's centre
        {kFreeFloating, false, true},  // fixed right
        {3, false, false},             // left
        {1, false, false},             // top
        {5, false, false},             // right
        {6, false, false},             // bottom left
        {7, false, false},             // bottom
        {8, false, false},             // bottom right
        {3, true, false},              // left (large)
        {5, true, false},              // right (large)
    };
    constexpr int kCount = static_cast<int>(sizeof kChoices / sizeof kChoices[0]);
    if (!(listIndex >= 0 && listIndex < kCount) || std::floor(listIndex) != listIndex)
        return std::nullopt;
    return kChoices[static_cast<int>(listIndex)];
}

} // namespace bar
