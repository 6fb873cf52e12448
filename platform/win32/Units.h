#pragma once
// Twips and pixels, program colours and Win32 colours.
#include "platform/Toolkit.h"
#include "platform/win32/WinApi.h"

#include <cmath>

namespace platform::win32 {

// The screen's logical resolution, fixed for the life of the program.
struct TwipsPerPixel {
    float x = 15;
    float y = 15;
};

// Nearest whole pixel, an exact half going to the even neighbour as the program's conversions do.
inline int toPixels(float twips, float twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

inline float toTwips(int pixels, float twipsPerPixel)
{
    return static_cast<float>(pixels) * twipsPerPixel;
}

inline RECT toPixelRect(const ui::Rect& rect, TwipsPerPixel scale)
{
    RECT pixels;
    pixels.left = toPixels(rect.left, scale.x);
    pixels.top = toPixels(rect.top, scale.y);
    pixels.right = pixels.left + toPixels(rect.width, scale.x);
    pixels.bottom = pixels.top + toPixels(rect.height, scale.y);
    return pixels;
}

// Values from 0x80000000 up name a system colour by its index in the low byte.
inline COLORREF toColorRef(ui::Colour colour)
{
    if (colour & 0x80000000u)
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

} // namespace platform::win32
