#include "control/com/WindowClasses.h"

#include "control/com/Module.h"

namespace dralith {
namespace {

bool g_registered = false;

LRESULT CALLBACK handledWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!handler)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        handler->windowDestroyed(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return handler->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        // A failed handler leaves the window as it was; nothing may unwind into the system.
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerClass(const char* name, UINT style, HCURSOR cursor)
{
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = handledWindowProc;
    windowClass.hInstance = module::instance();
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = name;
    if (RegisterClassExA(&windowClass))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

bool registerWindowClasses()
{
    if (g_registered)
        return true;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    g_registered = registerClass(kSurfaceClass, CS_DBLCLKS, arrow) && registerClass(kLabelClass, 0, arrow) &&
        registerClass(kTickClass, 0, nullptr) && registerClass(kAboutClass, 0, arrow);
    return g_registered;
}

void unregisterWindowClasses()
{
    if (!g_registered)
        return;
    for (const char* name : {kSurfaceClass, kLabelClass, kTickClass, kAboutClass})
        UnregisterClassA(name, module::instance());
    g_registered = false;
}

HWND createHandledWindow(const WindowSpec& props, MessageHandler& handler)
{
    if (!registerWindowClasses())
        return nullptr;
    return CreateWindowExA(props.exStyle, props.className, props.title, props.style, props.bounds.left,
        props.bounds.top, props.bounds.right - props.bounds.left, props.bounds.bottom - props.bounds.top, props.parent,
        props.menuOrId, module::instance(), &handler);
}

} // namespace dralith
