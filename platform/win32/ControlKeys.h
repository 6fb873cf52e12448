#pragma once
// The keyboard on the controls, as the dialog manager expects it: the dialog codes they answer,
// and Enter, Space and the context-menu key on the controls that act as push buttons.
#include "platform/win32/WinApi.h"

namespace platform::win32 {

class FormWindow;

// A message to a painted control (label, picture); true when it was handled, with its result.
bool paintedKeyMessage(FormWindow& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The same for a standard control, whose own procedure is `original`.
bool standardKeyMessage(
    FormWindow& form, WNDPROC original, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace platform::win32
