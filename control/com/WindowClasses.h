#pragma once
// The control's window classes and the one window procedure they share: it hands every message
// to the C++ object that created the window and keeps exceptions inside.
#include <windows.h>

namespace dralith {

constexpr const char* kSurfaceClass = "DralithCTLSurface";
constexpr const char* kLabelClass = "DralithCTLLabel";
constexpr const char* kTickClass = "DralithCTLTicks";
constexpr const char* kAboutClass = "DralithFRM";

class MessageHandler {
public:
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone (WM_NCDESTROY): forget its handle, do not destroy it again.
    virtual void windowDestroyed(HWND window) = 0;

protected:
    ~MessageHandler() = default;
};

// Registers the classes once per load of the library; false if that failed.
bool registerWindowClasses();
void unregisterWindowClasses();

struct WindowSpec {
    const char* className = nullptr;
    const char* title = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds {};
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;
};

// Creates a window of one of the classes above whose messages go to `handler`.
HWND createHandledWindow(const WindowSpec& props, MessageHandler& handler);

} // namespace dralith
