#include "platform/win32/ToolTips.h"

#include "platform/win32/SystemLibrary.h"

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

// Loads comctl32 and registers its tooltip class, once; false when it cannot. The DLL stays for
// the life of the process: its tooltip windows subclass the controls they watch.
bool tooltipClassReady()
{
    static const UniqueModule library = loadSystemLibrary("comctl32.dll");
    static const bool ready = [] {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = library ? procAddress<InitFn>(library.get(), "InitCommonControlsEx") : nullptr;
        if (!init)
            return false;
        INITCOMMONCONTROLSEX controls {};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_BAR_CLASSES; // the tooltip class
        return init(&controls) != FALSE;
    }();
    return ready;
}

} // namespace

HWND ToolTips::ensureWindow()
{
    if (!window_ && form_ && tooltipClassReady()) {
        // Always-tip: the bar is a tool window that is seldom the active one. Not owned by the
        // form: Wine does not make a window topmost while it owns a topmost popup such as this.
        window_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr));
        if (window_)
            SendMessageA(window_.get(), TTM_SETMAXTIPWIDTH, 0, 600); // lets a tip break at line ends
    }
    return window_.get();
}

void ToolTips::addTool(HWND control, const std::string& text)
{
    TOOLINFOA tool = toolFor(control, &text);
    if (tools_.count(control)) {
        SendMessageA(window_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        tools_.insert(control);
    }
}

void ToolTips::set(HWND control, const std::string& text)
{
    if (text.empty()) {
        remove(control);
        return;
    }
    if (!control)
        return;
    std::string& kept = texts_[control];
    if (kept == text && (!window_ || tools_.count(control)))
        return;
    kept = text;
    if (window_)
        addTool(control, kept);
}

void ToolTips::remove(HWND control)
{
    texts_.erase(control);
    if (tools_.erase(control) == 0 || !window_)
        return;
    TOOLINFOA tool = toolFor(control, nullptr);
    SendMessageA(window_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::mouseMoved(HWND control, WPARAM keys, LPARAM position)
{
    if (window_ || !texts_.count(control) || !ensureWindow())
        return;
    for (const auto& entry : texts_)
        addTool(entry.first, entry.second);
    // The tooltip window watches the controls from their next message on; this one it is told.
    MSG move {};
    move.hwnd = control;
    move.message = WM_MOUSEMOVE;
    move.wParam = keys;
    move.lParam = position;
    move.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&move.pt);
    SendMessageA(window_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void ToolTips::windowsGone()
{
    window_.reset();
    tools_.clear();
    texts_.clear();
    form_ = nullptr;
}

} // namespace platform::win32
