#pragma once
// What each entry of the settings window's alignment list does to the bar.
#include <optional>

namespace bar {

struct AlignmentChoice {
    float position;  // -1 free-floating, 0 to 8 a docking position
    bool fullHeight; // the full-height option at the left or right edge
    bool flushRight; // free-floating against the right screen edge, vertically centred
};

// For list entries 0 to 10 ("off", "foreground", "fixed right", "left", "top", "right",
// "bottom left", "bottom", "bottom right", "left (large)", "right (large)"); nullopt otherwise.
std::optional<AlignmentChoice> AlignmentChoiceOf(float listIndex);

} // namespace bar
