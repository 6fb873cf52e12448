#include "platform/win32/ToolTips.h"

#include <commctrl.h>

namespace platform::win32 {

namespace {

TOOLINFOA toolFor(HWND control, const std::string* text)
{
    TOOLINFOA tool {};
    // The older layout is understood by every version of the common controls.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text ? const_cast<char*>(text->c_str()) : nullptr;
    return tool;
}

} // namespace

HWND ToolTips::ensureWindow()
{
    if (!window_ && form_) {
        // Always-tip: the bar is a tool window that is seldom the active one. Not owned by the
        // form: Wine does not make a window topmost while it owns a topmost popup such as this.
        window_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr));
        if (window_)
            SendMessageA(window_.get(), TTM_SETMAXTIPWIDTH, 0, 600); // lets a tip break at line ends
    }
    return window_.get();
}

void ToolTips::set(HWND control, const std::string& text)
{
    if (text.empty()) {
        remove(control);
        return;
    }
    const HWND tips = ensureWindow();
    if (!tips || !control)
        return;
    TOOLINFOA tool = toolFor(control, &text);
    if (tools_.count(control)) {
        SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        tools_.insert(control);
    }
}

void ToolTips::remove(HWND control)
{
    if (tools_.erase(control) == 0 || !window_)
        return;
    TOOLINFOA tool = toolFor(control, nullptr);
    SendMessageA(window_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::windowsGone()
{
    window_.reset();
    tools_.clear();
    form_ = nullptr;
}

} // namespace platform::win32
