#pragma once
// The desktop's windows as the bar sees them: enumeration, state and window commands.
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// What happened to a top-level window of any process. Redrawn: the window told the system's shell
// that its caption or icon changed.
enum class WindowEvent { Created, Shown, Hidden, Destroyed, Renamed, Foreground, MinimizeStart, MinimizeEnd, Redrawn };
using WindowEventHandler = std::function<void(WindowEvent, WindowHandle)>;
// A window's answer to askWindowIcon: its icon, 0 when it has none.
using IconAnswerHandler = std::function<void(WindowHandle, IconHandle)>;

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual WindowHandle desktopWindow() = 0;
    // 0 when there is no such window.
    virtual WindowHandle getWindow(WindowHandle window, WindowRelation relation) = 0;
    virtual bool isVisible(WindowHandle window) = 0;
    // True when the desktop window manager hides the window from the user although it is "visible".
    virtual bool isCloaked(WindowHandle window) = 0;
    virtual WindowHandle parent(WindowHandle window) = 0;
    virtual std::uint32_t exStyle(WindowHandle window) = 0;
    // Copies at most capacity - 1 characters and a NUL; returns the number copied (0 on failure).
    // A caller-owned buffer keeps the refresh tick free of allocations.
    virtual int windowText(WindowHandle window, char* buffer, int capacity) = 0;

    virtual WindowHandle foreground() = 0;
    virtual bool setForeground(WindowHandle window) = 0;
    // Wins the platform's leave to change the foreground window for a request that came with no
    // input of the user to this program (a press on a remote control arrives as network data):
    // without it Windows refuses the change and only flashes the target. Call it right before the
    // change; true when the leave was won (or was not needed).
    virtual bool takeForegroundRight() = 0;
    virtual bool isIconic(WindowHandle window) = 0;
    virtual bool isZoomed(WindowHandle window) = 0;
    virtual bool showWindow(WindowHandle window, ShowCommand command) = 0;
    // Posts the show command to the window's own thread: never waits for a hung window.
    virtual bool showWindowAsync(WindowHandle window, ShowCommand command) = 0;
    virtual bool setWindowPos(
        WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags) = 0;
    // Sends and waits at most timeoutMs; gives up at once when the window is hung. False on a
    // time-out or failure (result is then untouched).
    virtual bool sendMessageTimeout(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
        unsigned timeoutMs, std::intptr_t* result) = 0;
    virtual std::uint32_t windowProcessId(WindowHandle window) = 0;
    // Copies at most capacity - 1 characters of the class name and a NUL; 0 on failure.
    virtual int className(WindowHandle window, char* buffer, int capacity) = 0;
    // Either argument may be null (any class / any title).
    virtual WindowHandle findWindow(const char* className, const char* title) = 0;

    virtual PixelPoint cursorPos() = 0;

    // The display monitors, the primary one first; never empty. Replaces what out held.
    virtual void monitors(std::vector<Monitor>& out) = 0;
    // The monitor holding the largest part of the window; the primary one for a window on none.
    virtual MonitorHandle monitorOf(WindowHandle window) = 0;
    // The window's outer rectangle; false when the window is gone.
    virtual bool windowRect(WindowHandle window, PixelRect& rect) = 0;

    // A window's or its class's icon belongs to the window's program: the bar shows it, never
    // destroys it, and copies it to keep it.
    // The class's small icon, else its large one; 0 when none. Sends the window nothing.
    virtual IconHandle classIcon(WindowHandle window) = 0;
    // Asks the window for its small icon, else its large one, and returns at once: the answer
    // reaches the handler of watchIconAnswers later, on the user-interface thread. A hung window
    // answers when it recovers, or never.
    virtual void askWindowIcon(WindowHandle window) = 0;
    // One handler at a time; an empty handler stops the answers.
    virtual void watchIconAnswers(IconAnswerHandler handler) = 0;
    // A copy of the icon at size x size pixels, owned by the caller, who frees it with
    // destroyIcon; 0 when the icon is gone or cannot be copied.
    virtual IconHandle copyIcon(IconHandle icon, int size) = 0;
    // The small icon of the window's program file at size x size pixels, owned by the caller
    // like a copy; 0 when it has none. For an icon handle the bar cannot read: some platforms
    // (Wine) keep icons private to the process that made them.
    virtual IconHandle programIcon(WindowHandle window, int size) = 0;
    virtual void destroyIcon(IconHandle copy) = 0;

    // Calls the handler on the user-interface thread soon after a top-level window changes, for
    // the kinds of event the platform reports (some platforms report only some kinds, or none).
    // One handler at a time; an empty handler stops the events.
    virtual void watchWindowEvents(WindowEventHandler handler) = 0;
};

} // namespace platform
