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

// The whole screen of these metrics as an area in twips.
ui::Rect ScreenArea(const ui::ScreenMetrics& screen);
// A rectangle of pixels as an area in twips, at the screen's scale.
ui::Rect AreaOf(const platform::PixelRect& pixels, const ui::ScreenMetrics& scale);

// Where a bar docked at position (0 to 8) of the area (twips) goes while the mouse is away; size
// unchanged. The screen gives the scale of the visible strip.
ui::Rect Tucked(int position, const ui::Rect& frame, const ui::Rect& area, const ui::ScreenMetrics& scale);
inline ui::Rect Tucked(int position, const ui::Rect& frame, const ui::ScreenMetrics& screen)
{
    return Tucked(position, frame, ScreenArea(screen), screen);
}

// A bar under the mouse, pulled back so that it overhangs each edge of the area by at most 4
// pixels. Left before top before right before bottom: a bar taller than the area ends with its
// bottom edge 4 pixels below it.
ui::Rect BroughtOnScreen(const ui::Rect& frame, const ui::Rect& area, const ui::ScreenMetrics& scale);
inline ui::Rect BroughtOnScreen(const ui::Rect& frame, const ui::ScreenMetrics& screen)
{
    return BroughtOnScreen(frame, ScreenArea(screen), screen);
}

} // namespace bar
