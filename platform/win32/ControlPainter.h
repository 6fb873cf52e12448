#pragma once
// Draws the toolkit's own controls: labels, pictures and panels.
#include "platform/win32/Control.h"

namespace platform::win32 {

// Paints the whole client area off-screen and copies it in one go, so a repaint never flickers.
// A label draws the pictures it lies over beneath its text.
void paintControl(HWND window, const Control& control, HFONT font, const PicturesBeneath& beneath = {});
// Draws a picture straight away, without a round through the window's paint message: a colour
// change of the glow strip comes twenty times a second.
void repaintPictureNow(HWND window, const Control& control);

} // namespace platform::win32
