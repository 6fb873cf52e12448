#pragma once
// DLLs of the system folder, loaded at run time by their full path, and their functions.
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// The DLL of that name in the system folder; empty when it is missing. The full path keeps a
// planted copy in the current or the program's folder from being picked up.
UniqueModule loadSystemLibrary(const char* name);

// A function of a loaded DLL as the pointer type Fn; null when the DLL lacks it.
template <typename Fn> Fn procAddress(HMODULE module, const char* name)
{
    // Through the generic function pointer type, which the compilers accept without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace platform::win32
