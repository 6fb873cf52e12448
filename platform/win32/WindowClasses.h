#pragma once
// The window classes of the toolkit, registered for as long as the toolkit lives.
#include "platform/win32/WinApi.h"
#include "win32kit/WindowClasses.h"

namespace platform::win32 {

constexpr const char* kFormClass = "TolvaneForm";
constexpr const char* kLabelClass = "TolvaneLabel";
constexpr const char* kPictureClass = "TolvanePicture";
constexpr const char* kPanelClass = "TolvanePanel";

class WindowClasses {
public:
    // Throws std::runtime_error when a class cannot be registered.
    explicit WindowClasses(HINSTANCE instance);
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;

private:
    void add(const char* name, WNDPROC procedure, UINT style, HICON icon);

    win32kit::WindowClassSet classes_;
};

} // namespace platform::win32
