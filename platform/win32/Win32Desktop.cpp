#include "platform/win32/Win32Desktop.h"

#include "platform/win32/ForegroundRight.h"
#include "platform/win32/ProcessImagePath.h"
#include "platform/win32/SystemLibrary.h"

#include <cstring>

namespace platform::win32 {

namespace {

constexpr DWORD kDwmCloaked = 14; // DWMWA_CLOAKED, absent from older SDK headers

// A window event callback carries no context: the one desktop that watches is found here.
Win32Desktop* g_watching = nullptr;
// Likewise for the answers to icon requests; the request's data says which icon it asked for.
Win32Desktop* g_iconWatching = nullptr;

struct HookedRange {
    DWORD first;
    DWORD last;
};
constexpr HookedRange kHookedEvents[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE},
    // A visible window hides before it is destroyed; a hidden one was no task.
    {EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE},
    {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
};

bool ToWindowEvent(DWORD event, WindowEvent& out)
{
    switch (event) {
    case EVENT_SYSTEM_FOREGROUND:
        out = WindowEvent::Foreground;
        return true;
    case EVENT_SYSTEM_MINIMIZESTART:
        out = WindowEvent::MinimizeStart;
        return true;
    case EVENT_SYSTEM_MINIMIZEEND:
        out = WindowEvent::MinimizeEnd;
        return true;
    case EVENT_OBJECT_CREATE:
        out = WindowEvent::Created;
        return true;
    case EVENT_OBJECT_SHOW:
        out = WindowEvent::Shown;
        return true;
    case EVENT_OBJECT_HIDE:
        out = WindowEvent::Hidden;
        return true;
    case EVENT_OBJECT_NAMECHANGE:
        out = WindowEvent::Renamed;
        return true;
    default:
        return false;
    }
}

} // namespace

Win32Desktop::Win32Desktop()
    : dwmapi_(loadSystemLibrary("dwmapi.dll"))
{
    if (dwmapi_)
        getWindowAttribute_ = procAddress<GetWindowAttributeFn>(dwmapi_.get(), "DwmGetWindowAttribute");
}

Win32Desktop::~Win32Desktop()
{
    if (g_watching == this)
        g_watching = nullptr;
    if (g_iconWatching == this)
        g_iconWatching = nullptr;
}

WindowHandle Win32Desktop::desktopWindow()
{
    return toHandle(GetDesktopWindow());
}

WindowHandle Win32Desktop::getWindow(WindowHandle window, WindowRelation relation)
{
    return toHandle(GetWindow(toHwnd(window), static_cast<UINT>(relation)));
}

bool Win32Desktop::isVisible(WindowHandle window)
{
    return IsWindowVisible(toHwnd(window)) != FALSE;
}

bool Win32Desktop::isCloaked(WindowHandle window)
{
    if (!getWindowAttribute_)
        return false;
    DWORD cloaked = 0;
    const HRESULT result = getWindowAttribute_(toHwnd(window), kDwmCloaked, &cloaked, sizeof cloaked);
    return SUCCEEDED(result) && cloaked != 0;
}

WindowHandle Win32Desktop::parent(WindowHandle window)
{
    return toHandle(GetParent(toHwnd(window)));
}

std::uint32_t Win32Desktop::exStyle(WindowHandle window)
{
    return static_cast<std::uint32_t>(GetWindowLongA(toHwnd(window), GWL_EXSTYLE));
}

int Win32Desktop::windowText(WindowHandle window, char* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    if (window == 0)
        return 0; // Wine would answer for some window of its own
    const int copied = GetWindowTextA(toHwnd(window), buffer, capacity);
    if (copied <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return copied < capacity ? copied : capacity - 1;
}

WindowHandle Win32Desktop::foreground()
{
    return toHandle(GetForegroundWindow());
}

bool Win32Desktop::setForeground(WindowHandle window)
{
    return SetForegroundWindow(toHwnd(window)) != FALSE;
}

bool Win32Desktop::takeForegroundRight()
{
    return WinForegroundRight();
}

bool Win32Desktop::isIconic(WindowHandle window)
{
    return IsIconic(toHwnd(window)) != FALSE;
}

bool Win32Desktop::isZoomed(WindowHandle window)
{
    return IsZoomed(toHwnd(window)) != FALSE;
}

bool Win32Desktop::showWindow(WindowHandle window, ShowCommand command)
{
    return ShowWindow(toHwnd(window), static_cast<int>(command)) != FALSE;
}

bool Win32Desktop::showWindowAsync(WindowHandle window, ShowCommand command)
{
    return ShowWindowAsync(toHwnd(window), static_cast<int>(command)) != FALSE;
}

bool Win32Desktop::setWindowPos(
    WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags)
{
    const HWND target = toHwnd(window);
    const HWND after = toHwnd(insertAfter);
    if (!SetWindowPos(target, after, x, y, cx, cy, flags))
        return false;
    if (after != HWND_TOPMOST || (GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return true;
    // Wine places a window that owns a shown popup (the bar during its splash) just below that
    // popup, and keeps it out of the topmost band unless a topmost window lies below it too. A
    // hidden topmost window of our own is that window, for this one call.
    const UniqueWindow below(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", nullptr, WS_POPUP, 0, 0, 0, 0,
        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (below)
        SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool Win32Desktop::sendMessageTimeout(WindowHandle window, unsigned message, std::uintptr_t wParam,
    std::intptr_t lParam, unsigned timeoutMs, std::intptr_t* result)
{
    // SMTO_ABORTIFHUNG returns at once for a window that stopped answering; SMTO_NORMAL (not
    // SMTO_BLOCK) keeps answering messages sent to us meanwhile, so a window that calls back
    // into the bar cannot lock the two together.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(toHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
            SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &answer))
        return false;
    if (result)
        *result = static_cast<std::intptr_t>(answer);
    return true;
}

std::uint32_t Win32Desktop::windowProcessId(WindowHandle window)
{
    DWORD processId = 0;
    if (GetWindowThreadProcessId(toHwnd(window), &processId) == 0)
        return 0;
    return processId;
}

int Win32Desktop::className(WindowHandle window, char* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    if (window == 0)
        return 0;
    const int copied = GetClassNameA(toHwnd(window), buffer, capacity);
    if (copied <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return copied < capacity ? copied : capacity - 1;
}

WindowHandle Win32Desktop::findWindow(const char* className, const char* title)
{
    return toHandle(FindWindowA(className, title));
}

void Win32Desktop::watchWindowEvents(WindowEventHandler handler)
{
    for (auto& hook : hooks_)
        hook.reset();
    shellHook_.reset();
    onWindowEvent_ = std::move(handler);
    if (!onWindowEvent_) {
        if (g_watching == this)
            g_watching = nullptr;
        return;
    }
    g_watching = this;
    // Out of context: the system queues the events to this thread and calls back while it takes
    // its messages, so the handler runs on the user-interface thread and nothing is injected into
    // other processes. A platform without these events simply never calls back.
    for (std::size_t i = 0; i < std::size(kHookedEvents); ++i)
        hooks_[i].reset(SetWinEventHook(kHookedEvents[i].first, kHookedEvents[i].last, nullptr,
            &Win32Desktop::onWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    // No window event tells of a new icon (WM_SETICON); the shell's redraw notice does.
    shellHook_ = std::make_unique<ShellHookWindow>([this](HWND window) {
        if (onWindowEvent_ && GetAncestor(window, GA_PARENT) == GetDesktopWindow())
            onWindowEvent_(WindowEvent::Redrawn, toHandle(window));
    });
}

IconHandle Win32Desktop::classIcon(WindowHandle window)
{
    // Wine answers 0 for a window of another process.
    const HWND hwnd = toHwnd(window);
    ULONG_PTR icon = GetClassLongPtrA(hwnd, GCLP_HICONSM);
    if (icon == 0)
        icon = GetClassLongPtrA(hwnd, GCLP_HICON);
    return static_cast<IconHandle>(icon);
}

void Win32Desktop::askWindowIcon(WindowHandle window)
{
    // A callback send returns at once; the answer comes through the message loop, and a hung
    // window's not at all. ICON_SMALL2 also yields the small icon the system made from a large one.
    SendMessageCallbackA(toHwnd(window), WM_GETICON, ICON_SMALL2, 0, &Win32Desktop::onIconAnswer, ICON_SMALL2);
}

void CALLBACK Win32Desktop::onIconAnswer(HWND window, UINT, ULONG_PTR asked, LRESULT answer)
{
    if (g_iconWatching == nullptr || !g_iconWatching->onIconAnswer_)
        return;
    // Older systems know no ICON_SMALL2: the large icon then, scaled down by the copy.
    if (answer == 0 && asked == ICON_SMALL2) {
        SendMessageCallbackA(window, WM_GETICON, ICON_BIG, 0, &Win32Desktop::onIconAnswer, ICON_BIG);
        return;
    }
    try {
        g_iconWatching->onIconAnswer_(toHandle(window), static_cast<IconHandle>(answer));
    } catch (...) {
        // Nothing crosses the callback; the button keeps the icon it has.
    }
}

void Win32Desktop::watchIconAnswers(IconAnswerHandler handler)
{
    onIconAnswer_ = std::move(handler);
    if (onIconAnswer_)
        g_iconWatching = this;
    else if (g_iconWatching == this)
        g_iconWatching = nullptr;
}

IconHandle Win32Desktop::copyIcon(IconHandle icon, int size)
{
    if (icon == 0 || size <= 0)
        return 0;
    return reinterpret_cast<IconHandle>(CopyImage(reinterpret_cast<HANDLE>(icon), IMAGE_ICON, size, size, 0));
}

IconHandle Win32Desktop::programIcon(WindowHandle window, int size)
{
    DWORD processId = 0;
    std::string path;
    if (GetWindowThreadProcessId(toHwnd(window), &processId) == 0 || size <= 0 || !ProcessImagePath(processId, path))
        return 0;
    // user32's own extraction, at the size wanted: the shell's library and all it pulls in would
    // stay loaded in an idle bar.
    HICON icon = nullptr;
    UINT id = 0;
    const UINT got = PrivateExtractIconsA(path.c_str(), 0, size, size, &icon, &id, 1, 0);
    if (got == 0 || got == 0xFFFFFFFF || icon == nullptr)
        return 0;
    return reinterpret_cast<IconHandle>(icon);
}

void Win32Desktop::destroyIcon(IconHandle copy)
{
    // Only ever an icon made above: a window's or class's icon is its program's.
    if (copy != 0)
        DestroyIcon(reinterpret_cast<HICON>(copy));
}

void CALLBACK Win32Desktop::onWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    // Only whole windows, not their scroll bars, carets or list items.
    if (g_watching == nullptr || !g_watching->onWindowEvent_ || window == nullptr || object != OBJID_WINDOW ||
        child != CHILDID_SELF)
        return;
    WindowEvent kind;
    if (!ToWindowEvent(event, kind))
        return;
    // Child controls change all the time (every caption the bar writes is a name change); only
    // top-level windows can be tasks.
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow())
        return;
    try {
        g_watching->onWindowEvent_(kind, toHandle(window));
    } catch (...) {
        // Nothing crosses the callback; the refresh tick still catches up.
    }
}

PixelPoint Win32Desktop::cursorPos()
{
    POINT point {};
    if (!GetCursorPos(&point))
        return PixelPoint {};
    return PixelPoint {point.x, point.y};
}

namespace {
PixelRect PixelRectOf(const RECT& r)
{
    return PixelRect {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFOEXA info {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    auto& out = *reinterpret_cast<std::vector<Monitor>*>(list);
    Monitor m;
    m.handle = reinterpret_cast<MonitorHandle>(monitor);
    m.deviceName.assign(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice));
    m.bounds = PixelRectOf(info.rcMonitor);
    m.workArea = PixelRectOf(info.rcWork);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    // The primary one first: callers fall back to the front.
    if (m.primary)
        out.insert(out.begin(), std::move(m));
    else
        out.push_back(std::move(m));
    return TRUE;
}
} // namespace

void Win32Desktop::monitors(std::vector<Monitor>& out)
{
    out.clear();
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&out));
    if (!out.empty())
        return;
    // No monitor answered: the primary screen as the system metrics give it.
    Monitor m;
    m.handle = reinterpret_cast<MonitorHandle>(MonitorFromPoint(POINT {0, 0}, MONITOR_DEFAULTTOPRIMARY));
    m.bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work {};
    m.workArea = SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) ? PixelRectOf(work) : m.bounds;
    m.primary = true;
    out.push_back(std::move(m));
}

MonitorHandle Win32Desktop::monitorOf(WindowHandle window)
{
    return reinterpret_cast<MonitorHandle>(MonitorFromWindow(toHwnd(window), MONITOR_DEFAULTTOPRIMARY));
}

bool Win32Desktop::windowRect(WindowHandle window, PixelRect& rect)
{
    RECT r {};
    if (!GetWindowRect(toHwnd(window), &r))
        return false;
    rect = PixelRectOf(r);
    return true;
}

} // namespace platform::win32
