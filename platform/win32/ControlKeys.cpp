#include "platform/win32/ControlKeys.h"

#include "platform/FocusRules.h"
#include "platform/win32/FormWindow.h"

namespace platform::win32 {

namespace {

bool isKeyDown(LPARAM message, WPARAM key)
{
    const auto* msg = reinterpret_cast<const MSG*>(message);
    return msg && msg->message == WM_KEYDOWN && msg->wParam == key;
}

void showPressed(HWND window, Control& control, bool pressed)
{
    if (control.pressed == pressed)
        return;
    control.pressed = pressed;
    InvalidateRect(window, nullptr, FALSE);
}

// The Enter just taken was translated already: its character must not reach a menu or dialog
// that the press opens, where it would choose at once.
void dropEnterCharacter(HWND window)
{
    MSG pending {};
    while (PeekMessageA(&pending, window, WM_CHAR, WM_CHAR, PM_NOREMOVE) && pending.wParam == '\r')
        PeekMessageA(&pending, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

bool insideClient(HWND window, LPARAM position)
{
    RECT client {};
    GetClientRect(window, &client);
    const POINT point {static_cast<short>(LOWORD(static_cast<DWORD_PTR>(position))),
        static_cast<short>(HIWORD(static_cast<DWORD_PTR>(position)))};
    return PtInRect(&client, point) != FALSE;
}

} // namespace

bool paintedKeyMessage(FormWindow& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const ui::ControlId id = GetDlgCtrlID(window);
    Control* control = form.controls().find(id);
    if (!control || !control->isButton())
        return false;
    result = 0;
    switch (message) {
    case WM_GETDLGCODE:
        // Enter presses this control, not the form's default button. No DLGC_BUTTON: that would
        // make an "&" in a task's title a mnemonic.
        result = DLGC_UNDEFPUSHBUTTON | (isKeyDown(lParam, VK_RETURN) ? DLGC_WANTMESSAGE : 0) |
            (control->props.arrowKeys ? DLGC_WANTARROWS : 0);
        return true;
    case WM_SETFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return true;
    case WM_KILLFOCUS:
        control->pressed = false;
        InvalidateRect(window, nullptr, FALSE);
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            dropEnterCharacter(window);
            form.keyOn(id, ui::kKeyReturn);
            return true;
        }
        if (wParam == VK_SPACE) {
            showPressed(window, *control, true);
            return true;
        }
        if (control->props.arrowKeys &&
            (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN)) {
            form.keyOn(id, static_cast<int>(wParam));
            return true;
        }
        return false;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !control->pressed)
            return false;
        showPressed(window, *control, false);
        form.keyOn(id, ui::kKeySpace);
        return true;
    case WM_CONTEXTMENU:
        // From the keyboard (the context-menu key, Shift+F10) the position is -1.
        if (lParam != -1)
            return false;
        form.keyOn(id, ui::kKeyApps);
        return true;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        SetCapture(window);
        showPressed(window, *control, true);
        return true;
    case WM_LBUTTONUP:
        if (GetCapture() != window)
            return false;
        ReleaseCapture();
        // Let go outside, as on a push button, is no click: it is a drag, for whom it concerns.
        if (insideClient(window, lParam))
            return false;
        form.dropped(id, lParam);
        return true;
    case WM_CAPTURECHANGED:
        showPressed(window, *control, false);
        return true;
    default:
        return false;
    }
}

bool standardKeyMessage(
    FormWindow& form, WNDPROC original, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const Control* control = form.controls().find(GetDlgCtrlID(window));
    if (!control)
        return false;
    const ui::ControlKind kind = control->props.kind;
    if (message == WM_GETDLGCODE && isKeyDown(lParam, VK_RETURN)) {
        const bool wantsEnter = kind == ui::ControlKind::Button ||
            (kind == ui::ControlKind::TextBox && ui::TextBoxTakesEnter(form.formSpec()));
        if (!wantsEnter)
            return false;
        result = CallWindowProcA(original, window, message, wParam, lParam) | DLGC_WANTMESSAGE;
        return true;
    }
    // The dialog manager presses only a default push button with Enter; any focused one presses.
    if (message == WM_KEYDOWN && wParam == VK_RETURN && kind == ui::ControlKind::Button) {
        dropEnterCharacter(window);
        form.press(*control);
        result = 0;
        return true;
    }
    return false;
}

} // namespace platform::win32
