#pragma once
// Mouse and keyboard the way a user gives them: either as messages posted to one control, or
// as real input that goes through the platform's hit testing and focus.
#include <windows.h>

namespace e2e {

// Posts a button-down and button-up at the centre of `control` (client coordinates).
void PostLeftClick(HWND control);
void PostRightClick(HWND control);
// Moves the mouse to a screen point and presses and releases the left (right, middle) button there.
bool RealLeftClickAt(POINT screen);
bool RealRightClickAt(POINT screen);
bool RealMiddleClickAt(POINT screen);
// Presses the left button at `from`, moves the mouse to `to` in a few steps and lets go there.
bool RealDragFromTo(POINT from, POINT to);
// Turns the wheel with the mouse at a screen point: 120 a notch, positive away from the user.
bool RealWheelAt(POINT screen, int turn);
// Presses and releases a key combination: `modifier` (0 for none) held around `key`.
bool RealKeyPress(WORD modifier, WORD key);

POINT CentreOnScreen(HWND window);

} // namespace e2e
