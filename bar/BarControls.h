#pragma once
// The fixed controls of the bar window: geometry in twips, captions, tooltips, fonts and
// which are visible at start. The task buttons' element 0 belongs to the task buttons.
#include "platform/Toolkit.h"

namespace bar {

constexpr float kClientWidth = 3030;
constexpr float kClientHeight = 1890;
constexpr float kStartHeight = 6030;
constexpr const char* kBarCaption = "Tolvane";

// The starting properties of the control with this id (one of the ids of BarIds.h, not a task button).
ui::ControlSpec ControlSpecOf(ui::ControlId id);

// The bar window itself, placed at the free-floating start place.
ui::FormSpec BarFormSpec(const ui::ScreenMetrics& screen);

} // namespace bar
