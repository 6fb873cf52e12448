#pragma once
// Where the task buttons stand in the space between the bar's top and its panel. With few windows
// they keep their gaps of a quarter of a button; with more they close up, down to no gap at all;
// with more still the area scrolls, between two small arrow buttons at its top and bottom edges.
#include <cstddef>

namespace tasks {

// The arrows' height: 12 pixels at 96 DPI.
constexpr float kScrollArrowHeight = 180;

struct TaskRows {
    float top = 0;         // the first shown button's top, twips
    float pitch = 0;       // from one button's top to the next
    std::size_t shown = 0; // buttons shown at once: all of them, unless the area scrolls
    bool scrolls = false;
};

// count buttons of this height, the first at top, in the space down to bottom (all twips).
TaskRows ArrangeTaskRows(std::size_t count, float top, float height, float bottom);

} // namespace tasks
