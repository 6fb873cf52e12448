#pragma once
// A C++ object behind each window: the shared window procedure binds the object passed at
// creation to its window at WM_NCCREATE, hands it every message after that, and keeps
// exceptions from unwinding into the system.
#include <windows.h>

#include <memory>

namespace win32kit {

class WindowBase {
public:
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone (WM_NCDESTROY): forget its handle, do not destroy it again.
    virtual void windowDestroyed(HWND window) = 0;
    // What the system gets when handleMessage threw; the default procedure's answer unless a
    // window needs a fixed one.
    virtual LRESULT resultAfterFailure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // An object whose handler may release its last owner returns an owner here: it keeps the
    // object alive until the message, a failed one included, has its answer.
    virtual std::shared_ptr<const void> holdDuringMessage() { return nullptr; }

    // The procedure of every class whose windows are created by createWindow below.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The object bound to a window of such a class; null before WM_NCCREATE and after
    // WM_NCDESTROY.
    static WindowBase* of(HWND window);

protected:
    ~WindowBase() = default;
};

struct WindowSpec {
    const char* className = nullptr;
    const char* title = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds {};
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;
};

// Creates a window of a class registered with WindowBase::windowProc; its messages go to
// `handler` from WM_NCCREATE on. Null when Windows refuses.
HWND createWindow(HINSTANCE instance, const WindowSpec& props, WindowBase& handler);

} // namespace win32kit
