#pragma once
// The bar's geometry rules, as plain functions of twips: minimum height, task button width,
// where a docked bar tucks itself away and how far a shown one may overhang the screen.
#include "platform/Toolkit.h"
#include "platform/Types.h"

#include <optional>

namespace bar {

constexpr float kMinimumHeightPixels = 360;
constexpr float kVisibleStripPixels = 16;
constexpr float kOverhangPixels = 4;
constexpr float kFloatingStartPixels = 120;
constexpr int kDockingIntervalMs = 500;
constexpr float kFreeFloating = -1;

// True for -1 and for the whole codes 0 to 8.
bool IsValidAlignPosition(float position);

// The height the layout enforces, or nullopt when the bar is tall enough.
std::optional<float> EnforcedHeight(float heightTwips, const ui::ScreenMetrics& screen);

// Width of every task button: the bar's width less half the logo's and the buttons' left edge,
// rounded to whole twips (halves to even).
float TaskButtonWidth(float barWidth, float logoWidth, float buttonsLeft);

// Strictly inside the frame: a mouse on the left or top edge is not over the bar.
bool MouseOverBar(platform::PixelPoint mouse, const ui::Rect& frame, const ui::ScreenMetrics& screen);

// Where a bar docked at position (0 to 8) goes while the mouse is away; size unchanged.
ui::Rect Tucked(int position, const ui::Rect& frame, const ui::ScreenMetrics& screen);

// A bar under the mouse, pulled back so that it overhangs each screen edge by at most 4 pixels.
// Left before top before right before bottom: a bar taller than the screen ends with its bottom
// edge 4 pixels below the screen.
ui::Rect BroughtOnScreen(const ui::Rect& frame, const ui::ScreenMetrics& screen);

} // namespace bar
