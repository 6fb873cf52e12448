#pragma once
// The built-in pictures, drawn with GDI to fit whatever area the picture control has.
#include "platform/Toolkit.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Draws over an area already painted in `back`; Artwork::None draws nothing.
void drawArtwork(HDC dc, const RECT& area, ui::Artwork artwork, COLORREF back);

} // namespace platform::win32
