#include "platform/win32/ControlWindows.h"

#include "platform/win32/AccessibleControl.h"
#include "platform/win32/ControlKeys.h"
#include "platform/win32/ControlPainter.h"
#include "platform/win32/FormWindow.h"
#include "win32kit/DcScopes.h"

#include <windowsx.h>

namespace platform::win32 {

namespace {

// The control's own procedure lives in a window property, not in the control record: the
// record may be gone while the window still receives its last messages.
constexpr const char* kOriginalProcedure = "Tolvane.StandardProc";

LRESULT paintedMessage(FormWindow& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ui::ControlId id = GetDlgCtrlID(window);
    LRESULT result = 0;
    if (form.handleChildNotification(message, wParam, lParam, result))
        return result;
    if (paintedKeyMessage(form, window, message, wParam, lParam, result))
        return result;

    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        if (const Control* control = form.controls().find(id)) {
            const PicturesBeneath beneath = control->props.kind == ui::ControlKind::Label
                ? form.controls().picturesBeneath(*control)
                : PicturesBeneath {};
            paintControl(window, *control, form.fontOf(*control), beneath);
            return 0;
        }
        break;
    case WM_NCHITTEST:
        // A picture a label lies over takes its own clicks and tooltips.
        if (const Control* control = form.controls().find(id);
            control && control->props.kind == ui::ControlKind::Label) {
            const POINT at {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const PicturesBeneath beneath = form.controls().picturesBeneath(*control);
            for (std::size_t i = 0; i < beneath.count; ++i) {
                RECT pictureRect {};
                GetWindowRect(beneath.pictures[i]->window.get(), &pictureRect);
                if (PtInRect(&pictureRect, at))
                    return HTTRANSPARENT;
            }
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
    case WM_GETOBJECT:
        // The system reads these classes as bare windows; the record knows what they are.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) && form.controls().find(id)) {
            if (OleAccess* ole = form.oleAccess())
                if (const LRESULT answer = answerAccessibleObject(*ole, window, wParam))
                    return answer;
        }
        break;
    case kAccessiblePressMessage:
        form.press(id, window);
        return 0;
    case WM_MOUSEMOVE:
        form.controls().mouseMoved(window, wParam, lParam);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ui::MouseButton releasedButton(UINT message)
{
    switch (message) {
    case WM_LBUTTONUP:
        return ui::MouseButton::Left;
    case WM_RBUTTONUP:
        return ui::MouseButton::Right;
    case WM_MBUTTONUP:
        return ui::MouseButton::Middle;
    default:
        return ui::MouseButton::None;
    }
}

LRESULT CALLBACK standardControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC original =
        reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(window, kOriginalProcedure)));
    if (!original)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemovePropA(window, kOriginalProcedure);
    try {
        if (message == WM_GETDLGCODE || message == WM_KEYDOWN) {
            LRESULT result = 0;
            if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                if (standardKeyMessage(*form, original, window, message, wParam, lParam, result))
                    return result;
        }
        if (message == WM_CHAR) {
            int character = static_cast<int>(wParam);
            if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                character = form->keyPress(GetDlgCtrlID(window), character);
            // A discarded key goes no further; Enter has no use in a one-line box and would beep.
            if (character == 0 || character == '\r' || !IsWindow(window))
                return 0;
            return CallWindowProcA(original, window, message, static_cast<WPARAM>(character), lParam);
        }
        if (message == WM_LBUTTONDBLCLK) {
            const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
            if (IsWindow(window)) {
                if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                    form->doubleClick(GetDlgCtrlID(window));
            }
            return result;
        }
        if (message == WM_MOUSEMOVE) {
            if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                form->controls().mouseMoved(window, wParam, lParam);
        }
        const ui::MouseButton button = releasedButton(message);
        if (button != ui::MouseButton::None) {
            // The control finishes its own handling first: a list box its selection, a button its click.
            const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
            if (IsWindow(window)) {
                if (const std::shared_ptr<FormWindow> form = FormWindow::of(window))
                    form->standardMouseUp(GetDlgCtrlID(window), button, wParam, lParam);
            }
            return result;
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
            const win32kit::PaintDc nothingToDraw(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        return 0; // a failing handler must not unwind into the system
    }
}

void hookInput(HWND control)
{
    const LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    if (!original || !SetPropA(control, kOriginalProcedure, reinterpret_cast<HANDLE>(original)))
        return;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&standardControlProc));
}

} // namespace platform::win32
