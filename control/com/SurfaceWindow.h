#pragma once
// The control's place on screen while it is active in a container: a child window that shows
// the back buffer, and over it the label UCCD, a real child window whose window text is the
// display text so that screen readers (and tests) can read it. The label paints nothing itself:
// the surface draws the text into the back buffer, so nothing flickers.
#include <windows.h>

#include <string>
#include <string_view>

#include "control/com/BackBuffer.h"
#include "win32kit/Handles.h"
#include "control/com/ControlWindowClasses.h"

namespace dralith {

class SurfaceEvents {
public:
    // The back buffer was recreated at a new size and must be painted from the current state.
    virtual void surfaceResized() = 0;
    virtual void leftButtonReleased() = 0;
    virtual void rightButtonReleased(POINT screenPoint) = 0;

protected:
    ~SurfaceEvents() = default;
};

class SurfaceWindow final : private win32kit::WindowBase {
public:
    SurfaceWindow(SurfaceEvents& events, HWND parent, const RECT& position, DWORD style, DWORD exStyle);
    ~SurfaceWindow();
    SurfaceWindow(const SurfaceWindow&) = delete;
    SurfaceWindow& operator=(const SurfaceWindow&) = delete;

    explicit operator bool() const { return static_cast<bool>(window_); }
    HWND handle() const { return window_.get(); }

    BackBuffer& backBuffer() { return buffer_; }
    // Shows the back buffer now, copied onto the window without a paint message.
    void present();

    void move(const RECT& position);
    void setFrame(DWORD style, DWORD exStyle);
    void setLabelText(std::string_view text);
    void setLabelVisible(bool visible);

private:
    // UCCD: forwards the mouse to the surface and leaves drawing to it.
    struct Label final : win32kit::WindowBase {
        LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
        void windowDestroyed(HWND) override { window.release(); }
        win32kit::UniqueWindow window;
        std::string text;
    };

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed(HWND window) override;
    void onSize();
    void onPaint();

    SurfaceEvents& events_;
    win32kit::UniqueWindow window_;
    Label label_;
    BackBuffer buffer_;
};

} // namespace dralith
