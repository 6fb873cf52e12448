#pragma once
// The hidden message-only window of one control instance. It carries the refresh timer TMX, so
// the timer runs from creation even for script clients that never give the control a place on
// screen, and it receives the left clicks posted by the surface (see SurfaceWindow).
#include <windows.h>

#include "win32kit/Handles.h"
#include "control/com/ControlWindowClasses.h"

namespace dralith {

class TickEvents {
public:
    virtual void timerTick() = 0;
    virtual void freeOnClickRequested() = 0;

protected:
    ~TickEvents() = default;
};

class TickWindow final : private win32kit::WindowBase {
public:
    explicit TickWindow(TickEvents& events);
    ~TickWindow();
    TickWindow(const TickWindow&) = delete;
    TickWindow& operator=(const TickWindow&) = delete;

    // Runs the timer with this interval (ms), or stops it.
    void run(bool running, unsigned interval);
    void postFreeOnClick();
    HWND handle() const { return window_.get(); }

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed(HWND window) override;

    TickEvents& events_;
    win32kit::UniqueWindow window_;
    bool timerSet_ = false;
};

} // namespace dralith
