#include "win32kit/WindowBase.h"

namespace win32kit {

LRESULT CALLBACK WindowBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowBase* handler = of(window);
    if (!handler)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        handler->windowDestroyed(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const std::shared_ptr<const void> hold = handler->holdDuringMessage();
    try {
        return handler->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system.
        return handler->resultAfterFailure(window, message, wParam, lParam);
    }
}

LRESULT WindowBase::resultAfterFailure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A failed handler leaves the window as it was.
    return DefWindowProcA(window, message, wParam, lParam);
}

WindowBase* WindowBase::of(HWND window)
{
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND createWindow(HINSTANCE instance, const WindowSpec& props, WindowBase& handler)
{
    return CreateWindowExA(props.exStyle, props.className, props.title, props.style, props.bounds.left,
        props.bounds.top, props.bounds.right - props.bounds.left, props.bounds.bottom - props.bounds.top, props.parent,
        props.menuOrId, instance, &handler);
}

} // namespace win32kit
