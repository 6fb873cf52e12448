#include "control/com/SurfaceWindow.h"

#include <windowsx.h>

#include "control/com/WindowAndMenuIds.h"
#include "win32kit/DcScopes.h"

namespace dralith {

SurfaceWindow::SurfaceWindow(SurfaceEvents& events, HWND parent, const RECT& position, DWORD style, DWORD exStyle)
    : events_(events)
{
    win32kit::WindowSpec props;
    props.className = kSurfaceClass;
    props.title = "DralithCTL";
    // No WS_CLIPCHILDREN: the surface paints the label's area too (the label draws nothing).
    props.style = WS_CHILD | WS_VISIBLE | style;
    props.exStyle = exStyle;
    props.bounds = position;
    props.parent = parent;
    window_.reset(createHandledWindow(props, *this));
    if (!window_)
        return;
    RECT client {};
    GetClientRect(window_.get(), &client);
    win32kit::WindowSpec label;
    label.className = kLabelClass;
    label.style = WS_CHILD;
    label.bounds = client;
    label.parent = window_.get();
    label.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kLabelUCCD));
    label_.window.reset(createHandledWindow(label, label_));
    onSize();
}

SurfaceWindow::~SurfaceWindow()
{
    label_.window.reset();
    window_.reset();
}

void SurfaceWindow::present()
{
    if (window_)
        buffer_.showOn(window_.get());
}

void SurfaceWindow::move(const RECT& position)
{
    if (window_)
        MoveWindow(window_.get(), position.left, position.top, position.right - position.left,
            position.bottom - position.top, TRUE);
}

void SurfaceWindow::setFrame(DWORD style, DWORD exStyle)
{
    if (!window_)
        return;
    const DWORD frameStyles = WS_BORDER;
    const DWORD frameExStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    LONG_PTR current = GetWindowLongPtrA(window_.get(), GWL_STYLE);
    LONG_PTR currentEx = GetWindowLongPtrA(window_.get(), GWL_EXSTYLE);
    LONG_PTR wanted = (current & ~static_cast<LONG_PTR>(frameStyles)) | style;
    LONG_PTR wantedEx = (currentEx & ~static_cast<LONG_PTR>(frameExStyles)) | exStyle;
    if (wanted == current && wantedEx == currentEx)
        return;
    SetWindowLongPtrA(window_.get(), GWL_STYLE, wanted);
    SetWindowLongPtrA(window_.get(), GWL_EXSTYLE, wantedEx);
    SetWindowPos(
        window_.get(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SurfaceWindow::setLabelText(std::string_view text)
{
    // Written only when it changes: a tick that changes nothing sends nothing to the label.
    if (!label_.window || text == label_.text)
        return;
    label_.text.assign(text.data(), text.size());
    SetWindowTextA(label_.window.get(), label_.text.c_str());
}

void SurfaceWindow::setLabelVisible(bool visible)
{
    if (label_.window && (IsWindowVisible(label_.window.get()) != FALSE) != visible)
        ShowWindow(label_.window.get(), visible ? SW_SHOWNA : SW_HIDE);
}

void SurfaceWindow::onSize()
{
    RECT client {};
    GetClientRect(window_.get(), &client);
    if (label_.window)
        MoveWindow(label_.window.get(), 0, 0, client.right, client.bottom, FALSE);
    if (buffer_.resize(window_.get(), client.right, client.bottom))
        events_.surfaceResized();
}

void SurfaceWindow::onPaint()
{
    win32kit::PaintDc paint(window_.get());
    buffer_.copyTo(paint.get(), 0, 0);
}

LRESULT SurfaceWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the back buffer covers everything
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_SIZE:
        if (window_)
            onSize();
        return 0;
    case WM_LBUTTONUP:
        events_.leftButtonReleased();
        return 0;
    case WM_RBUTTONUP: {
        POINT point {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &point);
        events_.rightButtonReleased(point);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void SurfaceWindow::windowDestroyed(HWND)
{
    window_.release();
}

LRESULT SurfaceWindow::Label::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks belong to the surface below
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace dralith
