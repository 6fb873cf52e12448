#pragma once
// The about window DralithFRM: a small non-modal window with the product picture, four labels
// and the Close button OKK, which unloads it.
#include <windows.h>

#include "win32kit/Handles.h"
#include "control/com/ControlWindowClasses.h"

namespace dralith {

class AboutWindow final : private win32kit::WindowBase {
public:
    AboutWindow() = default;
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Creates the window on first use (again after OKK unloaded it) and brings it forward.
    void show(HWND owner);
    HWND handle() const { return window_.get(); }

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed(HWND window) override;
    bool create(HWND owner);
    void addChild(const char* className, const char* text, DWORD style, int id, RECT bounds);
    void makePicture();

    win32kit::UniqueWindow window_;
    win32kit::UniqueGdiObject picture_;
};

} // namespace dralith
