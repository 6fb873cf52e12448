#pragma once
// The commands of the task menu on one window (the bar's SelectedTask), and the task menu MF as
// entries that carry their actions. No command waits on the target window, so a hung application
// cannot freeze the bar.
#include "platform/Platform.h"

#include <functional>

namespace tasks {

using platform::WindowHandle;

// "close" waits this long for a window that still processes its messages.
constexpr unsigned kCloseTimeoutMs = 5000;

// Restore (Normal), minimise or maximise; posted to the window's own thread.
void ShowTask(platform::Desktop& desktop, WindowHandle target, platform::ShowCommand command);
// Changes only the topmost state: neither moved nor resized.
void SetTaskTopmost(platform::Desktop& desktop, WindowHandle target, bool topmost);
// Hides the window; it loses its button at the next refresh.
void HideTask(platform::Desktop& desktop, WindowHandle target);
// Asks the window to close. False when it is hung or gone (given up at once) or did not answer
// within kCloseTimeoutMs; the window may still refuse.
bool CloseTask(platform::Desktop& desktop, WindowHandle target);
// Ends the process that owns the window (never the bar's own). False when nothing was ended.
bool TerminateTask(platform::Desktop& desktop, platform::Processes& processes, WindowHandle target);

// Starts the program of the window's process once more, from its executable's full path, with no
// arguments. False, and nothing started, when the path cannot be found (the process is gone or
// refuses to be asked) or the program does not start.
bool StartAnotherCopy(
    platform::Desktop& desktop, platform::Processes& processes, platform::Launcher& launcher, WindowHandle target);

// What a middle click on a task button does, as stored (0 to 2).
enum class MiddleClickAction { Close = 0, StartAnotherCopy = 1, Nothing = 2 };
// The stored number as an action; an out-of-range one closes, the default.
MiddleClickAction MiddleClickActionOf(float stored);
// Close is CloseTask, with its time-out: a hung window does not hold up the bar.
void MiddleClickTask(platform::Platform& platform, WindowHandle target, MiddleClickAction action);

// MF, default entry MFF(0) "restore"; every enabled entry acts on target.
ui::MenuItem BuildTaskMenu(platform::Desktop& desktop, platform::Processes& processes, WindowHandle target);
inline ui::MenuItem BuildTaskMenu(platform::Platform& platform, WindowHandle target)
{
    return BuildTaskMenu(platform.desktop(), platform.processes(), target);
}

} // namespace tasks
