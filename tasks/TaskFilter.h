#pragma once
// Which top-level windows are tasks, and one enumeration of them in Z order.
#include "platform/Desktop.h"

#include <vector>

namespace tasks {

using platform::WindowHandle;

// The task tables never hold more than this many windows; further windows are ignored.
constexpr std::size_t kMaxTasks = 65536;

// A visible, unparented, uncloaked window that is either unowned and not a tool window, or owned
// and marked as an application window. The bar's own window is never a task.
bool IsTask(platform::Desktop& desktop, WindowHandle window, WindowHandle ownWindow);

// Fills snapshot with the tasks among the desktop window's children, topmost first.
void EnumerateTasks(platform::Desktop& desktop, WindowHandle desktopWindow, WindowHandle ownWindow,
    std::vector<WindowHandle>& snapshot);

} // namespace tasks
