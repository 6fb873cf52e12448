#pragma once
// How the user's input changes a control's value, the same whichever side of the toolkit saw it.
#include "platform/Toolkit.h"

#include <vector>

namespace ui {

// A scroll bar's value kept within its range; min may lie above max (a reversed bar).
int ClampedValue(const ControlSpec& bar, int value);
// Where a scroll bar's thumb goes for a request: arrows move by smallChange, clicks beside the
// thumb by largeChange, towards max for Down; `thumb` is where a dragged thumb was dropped.
int ScrolledValue(const ControlSpec& bar, ScrollRequest request, int thumb);
// A selection a list box can hold: indices of its items, ascending, without repeats; a list box
// without multiSelect keeps only the first index given.
std::vector<int> NormalisedSelection(const ControlSpec& list, const std::vector<int>& indices);
// Controls whose left-button release is a click; the others click when their value changes.
bool ClicksOnRelease(ControlKind kind);

} // namespace ui
