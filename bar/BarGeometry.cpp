#include "bar/BarGeometry.h"

#include <cmath>

namespace bar {

bool IsValidAlignPosition(float position)
{
    return position == kFreeFloating || (position >= 0 && position <= 8 && std::floor(position) == position);
}

std::optional<float> EnforcedHeight(float heightTwips, const ui::ScreenMetrics& screen)
{
    if (heightTwips / screen.twipsPerPixelY < kMinimumHeightPixels)
        return kMinimumHeightPixels * screen.twipsPerPixelY;
    return std::nullopt;
}

float TaskButtonWidth(float barWidth, float logoWidth, float buttonsLeft)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<float>(std::nearbyint(barWidth - logoWidth / 2 - buttonsLeft));
}

bool MouseOverBar(platform::PixelPoint mouse, const ui::Rect& frame, const ui::ScreenMetrics& screen)
{
    const float x = mouse.x * screen.twipsPerPixelX;
    const float y = mouse.y * screen.twipsPerPixelY;
    return frame.left < x && x < frame.left + frame.width && frame.top < y && y < frame.top + frame.height;
}

ui::Rect Tucked(int position, const ui::Rect& frame, const ui::ScreenMetrics& screen)
{
    const int row = position / 3;
    const int column = position % 3;
    const float sw = screen.widthTwips(), sh = screen.heightTwips();
    const float stripX = kVisibleStripPixels * screen.twipsPerPixelX;
    const float stripY = kVisibleStripPixels * screen.twipsPerPixelY;
    ui::Rect r = frame;

    if (row == 0)
        r.top = stripY - r.height;
    else if (row == 1)
        r.top = std::floor((sh - r.height) / 2);
    else
        r.top = sh - stripY;

    if (column == 1)
        r.left = std::floor((sw - r.width) / 2);
    else if (row == 2)
        r.left = column == 0 ? 0 : sw - r.width;
    else
        r.left = column == 0 ? stripX - r.width : sw - stripX;
    return r;
}

ui::Rect BroughtOnScreen(const ui::Rect& frame, const ui::ScreenMetrics& screen)
{
    const float ox = kOverhangPixels * screen.twipsPerPixelX;
    const float oy = kOverhangPixels * screen.twipsPerPixelY;
    const float sw = screen.widthTwips(), sh = screen.heightTwips();
    ui::Rect r = frame;
    if (r.left < -ox)
        r.left = -ox;
    if (r.top < -oy)
        r.top = -oy;
    if (r.left + r.width > sw + ox)
        r.left = sw + ox - r.width;
    if (r.top + r.height > sh + oy)
        r.top = sh + oy - r.height;
    return r;
}

} // namespace bar
