#pragma once
// The notification area's window on Windows: a topmost window of the class Shell_NotifyIcon
// looks for, in front of the system taskbar's own, to which it passes on what it does not take.
#include "platform/NotificationHost.h"
#include "win32kit/Handles.h"
#include "win32kit/WindowBase.h"
#include "win32kit/WindowClassSet.h"

namespace platform::win32 {

class Win32NotificationHost final : public platform::NotificationHost, private win32kit::WindowBase {
public:
    Win32NotificationHost();
    ~Win32NotificationHost();
    Win32NotificationHost(const Win32NotificationHost&) = delete;
    Win32NotificationHost& operator=(const Win32NotificationHost&) = delete;

    bool start(TrayRequestHandler handler) override;
    void stop() override;
    bool hosting() const override { return static_cast<bool>(window_); }
    bool keepInFront() override;
    void announce() override;
    bool post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool windowExists(std::uint32_t window) override;
    void allowForeground(std::uint32_t window) override;
    IconHandle makeIcon(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
        const std::vector<std::uint8_t>& mask, const std::vector<std::uint8_t>& colour) override;

private:
    void standInFront();
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed(HWND window) override;
    LRESULT resultAfterFailure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    win32kit::WindowClassSet classes_;
    win32kit::UniqueWindow window_;
    HWND previous_ = nullptr; // the window of this class found before ours, if any
    TrayRequestHandler handler_;
    UINT taskbarCreated_ = 0;
};

} // namespace platform::win32
