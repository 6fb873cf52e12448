#pragma once
// The desktop's windows through user32.
#include "platform/Desktop.h"
#include "platform/win32/ShellHookWindow.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <iterator>
#include <memory>

namespace platform::win32 {

class Win32Desktop final : public Desktop {
public:
    Win32Desktop();
    ~Win32Desktop() override;

    WindowHandle desktopWindow() override;
    WindowHandle getWindow(WindowHandle window, WindowRelation relation) override;
    bool isVisible(WindowHandle window) override;
    bool isCloaked(WindowHandle window) override;
    WindowHandle parent(WindowHandle window) override;
    std::uint32_t exStyle(WindowHandle window) override;
    int windowText(WindowHandle window, char* buffer, int capacity) override;

    WindowHandle foreground() override;
    bool setForeground(WindowHandle window) override;
    bool takeForegroundRight() override;
    bool isIconic(WindowHandle window) override;
    bool isZoomed(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    bool showWindowAsync(WindowHandle window, ShowCommand command) override;
    bool setWindowPos(
        WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    bool sendMessageTimeout(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
        unsigned timeoutMs, std::intptr_t* result) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    int className(WindowHandle window, char* buffer, int capacity) override;
    WindowHandle findWindow(const char* className, const char* title) override;

    PixelPoint cursorPos() override;
    void monitors(std::vector<Monitor>& out) override;
    MonitorHandle monitorOf(WindowHandle window) override;
    bool windowRect(WindowHandle window, PixelRect& rect) override;
    void watchWindowEvents(WindowEventHandler handler) override;
    IconHandle classIcon(WindowHandle window) override;
    void askWindowIcon(WindowHandle window) override;
    void watchIconAnswers(IconAnswerHandler handler) override;
    IconHandle copyIcon(IconHandle icon, int size) override;
    IconHandle programIcon(WindowHandle window, int size) override;
    void destroyIcon(IconHandle copy) override;

private:
    static void CALLBACK onIconAnswer(HWND window, UINT message, ULONG_PTR asked, LRESULT answer);
    static void CALLBACK onWinEvent(
        HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread, DWORD time);

    using GetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

    // The desktop window manager exists from Windows Vista on; elsewhere nothing is cloaked.
    UniqueModule dwmapi_;
    GetWindowAttributeFn getWindowAttribute_ = nullptr;
    WindowEventHandler onWindowEvent_;
    // Foreground; minimise start and end; create; show and hide; name change.
    UniqueWinEventHook hooks_[5];
    std::unique_ptr<ShellHookWindow> shellHook_;
    IconAnswerHandler onIconAnswer_;
};

} // namespace platform::win32
