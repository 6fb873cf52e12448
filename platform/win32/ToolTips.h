#pragma once
// The tooltip window of one form and the controls that have a tip in it.
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <set>
#include <string>

namespace platform::win32 {

class ToolTips {
public:
    explicit ToolTips(HINSTANCE instance)
        : instance_(instance)
    {
    }
    void attach(HWND form) { form_ = form; }

    // Shows `text` when the mouse rests on `control`; an empty text removes its tip.
    void set(HWND control, const std::string& text);
    void remove(HWND control);
    // The form's window is gone: its tips go with it.
    void windowsGone();

private:
    HWND ensureWindow();

    HINSTANCE instance_;
    HWND form_ = nullptr;
    UniqueWindow window_;
    std::set<HWND> tools_;
};

} // namespace platform::win32
