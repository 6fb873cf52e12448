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

ui::Rect ScreenArea(const ui::ScreenMetrics& screen)
{
    return {0, 0, screen.widthTwips(), screen.heightTwips()};
}

ui::Rect AreaOf(const platform::PixelRect& pixels, const ui::ScreenMetrics& scale)
{
    return {pixels.left * scale.twipsPerPixelX, pixels.top * scale.twipsPerPixelY,
        pixels.width() * scale.twipsPerPixelX, pixels.height() * scale.twipsPerPixelY};
}

ui::Rect Tucked(int position, const ui::Rect& frame, const ui::Rect& area, const ui::ScreenMetrics& scale)
{
    const int row = position / 3;
    const int column = position % 3;
    const float left = area.left, top = area.top, right = area.left + area.width, bottom = area.top + area.height;
    const float stripX = kVisibleStripPixels * scale.twipsPerPixelX;
    const float stripY = kVisibleStripPixels * scale.twipsPerPixelY;
    ui::Rect r = frame;

    if (row == 0)
        r.top = top + stripY - r.height;
    else if (row == 1)
        r.top = top + std::floor((area.height - r.height) / 2);
    else
        r.top = bottom - stripY;

    if (column == 1)
        r.left = left + std::floor((area.width - r.width) / 2);
    else if (row == 2)
        r.left = column == 0 ? left : right - r.width;
    else
        r.left = column == 0 ? left + stripX - r.width : right - stripX;
    return r;
}

ui::Rect BroughtOnScreen(const ui::Rect& frame, const ui::Rect& area, const ui::ScreenMetrics& scale)
{
    const float ox = kOverhangPixels * scale.twipsPerPixelX;
    const float oy = kOverhangPixels * scale.twipsPerPixelY;
    const float right = area.left + area.width, bottom = area.top + area.height;
    ui::Rect r = frame;
    if (r.left < area.left - ox)
        r.left = area.left - ox;
    if (r.top < area.top - oy)
        r.top = area.top - oy;
    if (r.left + r.width > right + ox)
        r.left = right + ox - r.width;
    if (r.top + r.height > bottom + oy)
        r.top = bottom + oy - r.height;
    return r;
}

} // namespace bar
