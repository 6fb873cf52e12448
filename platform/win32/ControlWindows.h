#pragma once
// Window procedures of the controls: the toolkit's painted classes and the standard controls' hook.
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Labels, pictures and panels: painting, mouse events, and the notifications of children.
LRESULT CALLBACK paintedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Reports the keys typed into a standard control (text box, list box, button, ...) to its form
// before the control takes them, and the mouse buttons released over it.
void hookInput(HWND control);

} // namespace platform::win32
