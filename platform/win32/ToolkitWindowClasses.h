#pragma once
// The window classes of the toolkit, registered for as long as the toolkit lives.
#include "platform/win32/WinApi.h"
#include "win32kit/WindowClassSet.h"

namespace platform::win32 {

constexpr const char* kFormClass = "TolvaneForm";
constexpr const char* kLabelClass = "TolvaneLabel";
constexpr const char* kPictureClass = "TolvanePicture";
constexpr const char* kPanelClass = "TolvanePanel";

class ToolkitWindowClasses {
public:
    // Throws std::runtime_error when a class cannot be registered.
    explicit ToolkitWindowClasses(HINSTANCE instance);
    ToolkitWindowClasses(const ToolkitWindowClasses&) = delete;
    ToolkitWindowClasses& operator=(const ToolkitWindowClasses&) = delete;

private:
    void add(const char* name, WNDPROC procedure, UINT style, HICON icon);

    win32kit::WindowClassSet classes_;
};

} // namespace platform::win32
