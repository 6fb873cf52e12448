#pragma once
// The right-click menu M0, built from the property state each time it opens. Win32 menus have
// no hidden entries, so a hidden entry is simply not added.
#include <windows.h>

#include "win32kit/Handles.h"
#include "control/core/ControlState.h"

namespace dralith {

win32kit::UniqueMenu buildControlMenu(const ControlState& state);

// Opens the menu at the screen point and returns the chosen command (0: nothing chosen).
unsigned trackControlMenu(HMENU menu, HWND owner, POINT screenPoint);

} // namespace dralith
