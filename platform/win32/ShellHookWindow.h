#pragma once
// A hidden window that the system's shell tells when a top-level window redraws its caption or
// icon (HSHELL_REDRAW), as it tells the taskbar. Where the platform offers no such messages
// (Wine) it simply never calls back.
#include "platform/win32/WinApi.h"
#include "win32kit/WindowBase.h"
#include "win32kit/WindowClassSet.h"

#include <functional>

namespace platform::win32 {

class ShellHookWindow final : public win32kit::WindowBase {
public:
    explicit ShellHookWindow(std::function<void(HWND)> onRedraw);
    ~ShellHookWindow();
    ShellHookWindow(const ShellHookWindow&) = delete;
    ShellHookWindow& operator=(const ShellHookWindow&) = delete;

    // Whether the shell took the window on.
    bool registered() const { return registered_; }

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed(HWND) override { window_.release(); }

private:
    win32kit::WindowClassSet classes_;
    std::function<void(HWND)> onRedraw_;
    UINT shellMessage_ = 0;
    bool registered_ = false;
    UniqueWindow window_;
};

} // namespace platform::win32
