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

// The shared Win32 toolbox (win32kit/) is this side's vocabulary: its handle owners, DC scopes
// and pump are named here without qualification.
using namespace win32kit;

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
