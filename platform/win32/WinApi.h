#pragma once
// The one place the Windows side includes <windows.h>, with the seam's handle conversions.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/Types.h"
#include "win32kit/Handles.h"

#include <cstdint>

namespace platform::win32 {

// The toolbox's handle owners are this side's vocabulary, named without qualification.
using win32kit::UniqueBitmap;
using win32kit::UniqueBrush;
using win32kit::UniqueFont;
using win32kit::UniqueGdiObject;
using win32kit::UniqueIcon;
using win32kit::UniqueKernelHandle;
using win32kit::UniqueMemoryDc;
using win32kit::UniqueMenu;
using win32kit::UniqueModule;
using win32kit::UniquePen;
using win32kit::UniqueRegKey;
using win32kit::UniqueWindow;
using win32kit::UniqueWinEventHook;

// Window handles carry 32 significant bits on every Windows; they are sign-extended on the way
// back so that the special values HWND_TOPMOST (-1) and HWND_NOTOPMOST (-2) survive on 64-bit.
inline HWND toHwnd(WindowHandle handle)
{
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(handle)));
}

inline WindowHandle toHandle(HWND window)
{
    return static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window));
}

} // namespace platform::win32
