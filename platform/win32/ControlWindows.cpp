#include "platform/win32/ControlWindows.h"

#include "platform/win32/ControlPainter.h"
#include "platform/win32/FormWindow.h"
#include "win32kit/DcScopes.h"

namespace platform::win32 {

namespace {

// The text box's own procedure lives in a window property, not in the control record: the
// record may be gone while the window still receives its last messages.
constexpr const char* kOriginalProcedure = "Tolvane.TextBoxProc";

LRESULT paintedMessage(FormWindow& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ui::ControlId id = GetDlgCtrlID(window);
    LRESULT result = 0;
    if (form.handleChildNotification(message, wParam, lParam, result))
        return result;

    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        if (const Control* control = form.controls().find(id)) {
            paintControl(window, *control, form.fontOf(*control));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        form.mouseUp(id, ui::MouseButton::Left, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        form.mouseUp(id, ui::MouseButton::Right, wParam, lParam);
        return 0;
    case WM_MBUTTONUP:
        form.mouseUp(id, ui::MouseButton::Middle, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        form.doubleClick(id);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC original =
        reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(window, kOriginalProcedure)));
    if (!original)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemovePropA(window, kOriginalProcedure);
    try {
        if (message == WM_CHAR) {
            if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                form->keyPress(GetDlgCtrlID(window), static_cast<int>(wParam));
            // Enter has no use in a one-line box and would only beep.
            if (wParam == '\r' || !IsWindow(window))
                return 0;
        }
    } catch (...) {
        return 0; // a failing handler must not unwind into the system
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK paintedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
            return paintedMessage(*form, window, message, wParam, lParam);
        if (message == WM_PAINT) {
            const PaintDc nothingToDraw(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        return 0; // a failing handler must not unwind into the system
    }
}

void hookKeyPresses(HWND textBox)
{
    const LONG_PTR original = GetWindowLongPtrA(textBox, GWLP_WNDPROC);
    if (!original || !SetPropA(textBox, kOriginalProcedure, reinterpret_cast<HANDLE>(original)))
        return;
    SetWindowLongPtrA(textBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&textBoxProc));
}

} // namespace platform::win32
