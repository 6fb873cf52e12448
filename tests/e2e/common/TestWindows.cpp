#include "tests/e2e/common/TestWindows.h"

#include <cstdio>

namespace e2e {
namespace {

const char* const kClassName = "TolvaneE2eTestWindow";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClassOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0;
}

} // namespace

std::string Hex(unsigned long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

win32kit::UniqueWindow CreateTestWindow(WindowKind kind, const std::string& title, HWND owner)
{
    RegisterClassOnce();
    // Spread the windows over the right part of the screen, away from the bar's start place.
    static int next = 0;
    const int x = 420 + (next % 8) * 40;
    const int y = 60 + (next % 8) * 50;
    ++next;

    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND ownerArg = nullptr;
    switch (kind) {
    case WindowKind::Normal:
        break;
    case WindowKind::Tool:
        exStyle = WS_EX_TOOLWINDOW;
        break;
    case WindowKind::OwnedAppWindow:
        exStyle = WS_EX_APPWINDOW;
        ownerArg = owner;
        break;
    case WindowKind::OwnedPopup:
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ownerArg = owner;
        break;
    }
    return win32kit::UniqueWindow(CreateWindowExA(exStyle, kClassName, title.c_str(), style, x, y, 320, 200, ownerArg,
        nullptr, GetModuleHandleA(nullptr), nullptr));
}

void ShowWithoutActivating(HWND window)
{
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
}

std::string DescribeWindow(HWND window)
{
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    char cls[128] = {};
    GetClassNameA(window, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return Hex(reinterpret_cast<ULONG_PTR>(window)) + " '" + title + "' class=" + cls +
        (IsWindowVisible(window) ? " visible" : " hidden") + " pid=" + std::to_string(pid) +
        " owner=" + Hex(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER))) +
        " ex=" + Hex(static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
}

} // namespace e2e
