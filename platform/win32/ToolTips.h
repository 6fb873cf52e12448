#pragma once
// The tooltip window of one form and the controls that have a tip in it.
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <map>
#include <set>
#include <string>

namespace platform::win32 {

// The tips are kept here and the common controls' tooltip window is made only when the mouse
// first moves over a control that has one: loading comctl32 costs an idle bar megabytes (under
// Wine it also loads its own icons at 256 pixels), and most runs never show a tip.
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
    // The mouse moved over `control` (a WM_MOUSEMOVE in its client area): the first time over a
    // control with a tip, the tooltip window is made and given this move, so the tip shows.
    void mouseMoved(HWND control, WPARAM keys, LPARAM position);
    // The form's window is gone: its tips go with it.
    void windowsGone();

private:
    HWND ensureWindow();
    void addTool(HWND control, const std::string& text);

    HINSTANCE instance_;
    HWND form_ = nullptr;
    UniqueWindow window_;
    std::map<HWND, std::string> texts_;
    std::set<HWND> tools_; // the controls registered with the tooltip window
};

} // namespace platform::win32
