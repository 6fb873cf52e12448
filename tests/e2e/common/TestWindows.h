#pragma once
// The probe's own top-level windows, of the kinds a task bar must tell apart.
#include <windows.h>

#include <string>

#include "win32kit/Handles.h"

namespace e2e {

enum class WindowKind {
    Normal,         // titled overlapped window, no owner: a task
    Tool,           // WS_EX_TOOLWINDOW without owner: not a task
    OwnedAppWindow, // owned overlapped window with WS_EX_APPWINDOW: a task
    OwnedPopup,     // WS_POPUP with an owner (GetParent returns the owner): not a task
};

// Creates a window of `kind` (hidden until Show). `owner` is used by the owned kinds.
win32kit::UniqueWindow CreateTestWindow(WindowKind kind, const std::string& title, HWND owner = nullptr);

// Shows without activating, so that showing several windows leaves their Z order as created.
void ShowWithoutActivating(HWND window);

// "0x1234 'title' visible owner=... ex=..." for failure messages.
std::string DescribeWindow(HWND window);

std::string Hex(unsigned long long value);

} // namespace e2e
