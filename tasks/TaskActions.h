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

// MF, default entry MFF(0) "restore"; every enabled entry acts on target.
ui::MenuItem BuildTaskMenu(platform::Desktop& desktop, platform::Processes& processes, WindowHandle target);
inline ui::MenuItem BuildTaskMenu(platform::Platform& platform, WindowHandle target)
{
    return BuildTaskMenu(platform.desktop(), platform.processes(), target);
}

} // namespace tasks
