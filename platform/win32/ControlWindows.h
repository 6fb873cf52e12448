#pragma once
// Window procedures of the controls: the toolkit's painted classes and the text box hook.
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Labels, pictures and panels: painting, mouse events, and the notifications of children.
LRESULT CALLBACK paintedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Reports the characters typed into a text box to its form before the box takes them.
void hookKeyPresses(HWND textBox);

} // namespace platform::win32
