#include "platform/win32/ShellHookWindow.h"

#include "platform/win32/SystemLibrary.h"

namespace platform::win32 {

namespace {

constexpr const char* kClassName = "Tolvane.ShellHook";
constexpr WPARAM kShellRedraw = 6; // HSHELL_REDRAW; with the high bit it is a flash, not a redraw

using ShellHookFn = BOOL(WINAPI*)(HWND);

ShellHookFn user32Function(const char* name)
{
    return procAddress<ShellHookFn>(GetModuleHandleA("user32.dll"), name);
}

} // namespace

ShellHookWindow::ShellHookWindow(std::function<void(HWND)> onRedraw)
    : classes_(GetModuleHandleA(nullptr))
    , onRedraw_(std::move(onRedraw))
    , shellMessage_(RegisterWindowMessageA("SHELLHOOK"))
{
    win32kit::WindowClass description;
    description.name = kClassName;
    if (!classes_.add(description))
        return;
    // A top-level window (the shell does not tell message-only ones), never shown, a tool window
    // so that no task list counts it.
    win32kit::WindowSpec creation;
    creation.className = kClassName;
    creation.style = WS_POPUP;
    creation.exStyle = WS_EX_TOOLWINDOW;
    window_.reset(win32kit::createWindow(GetModuleHandleA(nullptr), creation, *this));
    const ShellHookFn registerHook = user32Function("RegisterShellHookWindow");
    registered_ = window_ && registerHook && registerHook(window_.get());
}

ShellHookWindow::~ShellHookWindow()
{
    if (registered_)
        if (const ShellHookFn deregister = user32Function("DeregisterShellHookWindow"))
            deregister(window_.get());
}

LRESULT ShellHookWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == shellMessage_ && shellMessage_ != 0) {
        if (wParam == kShellRedraw && lParam != 0 && onRedraw_)
            onRedraw_(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace platform::win32
