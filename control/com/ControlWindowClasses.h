#pragma once
// The control's window classes. Their windows share the toolbox's window procedure, which hands
// every message to the C++ object that created the window and keeps exceptions inside.
#include <windows.h>

#include "win32kit/WindowBase.h"

namespace dralith {

constexpr const char* kSurfaceClass = "DralithCTLSurface";
constexpr const char* kLabelClass = "DralithCTLLabel";
constexpr const char* kTickClass = "DralithCTLTicks";
constexpr const char* kAboutClass = "DralithFRM";

// Registers the classes once per load of the library; false if that failed.
bool registerWindowClasses();
// Removes the classes this copy registered, for an unload by FreeLibrary.
void unregisterWindowClasses();
// Drops the record without touching the classes, for a process that is ending: Windows removes
// them with it, and other libraries may already be gone.
void forgetWindowClasses();

// Creates a window of one of the classes above whose messages go to `handler`.
HWND createHandledWindow(const win32kit::WindowSpec& props, win32kit::WindowBase& handler);

} // namespace dralith
