#include "tasks/TaskFilter.h"

namespace tasks {

bool IsTask(platform::Desktop& desktop, WindowHandle window, WindowHandle ownWindow)
{
    if (window == ownWindow)
        return false;
    if (!desktop.isVisible(window))
        return false;
    if (desktop.parent(window) != 0)
        return false;
    const WindowHandle owner = desktop.getWindow(window, platform::WindowRelation::Owner);
    const std::uint32_t ex = desktop.exStyle(window);
    const bool accepted = (owner == 0 && (ex & platform::kExStyleToolWindow) == 0) ||
        (owner != 0 && (ex & platform::kExStyleAppWindow) != 0);
    // Asked last: it is the dearest question, and only matters for otherwise accepted windows.
    return accepted && !desktop.isCloaked(window);
}

void EnumerateTasks(
    platform::Desktop& desktop, WindowHandle desktopWindow, WindowHandle ownWindow, std::vector<WindowHandle>& snapshot)
{
    snapshot.clear();
    // A Z order that changes under the walk could lead it round in a circle; the bound ends it.
    constexpr long kMaxSteps = 1L << 22;
    long steps = 0;
    for (WindowHandle h = desktop.getWindow(desktopWindow, platform::WindowRelation::Child);
         h != 0 && steps < kMaxSteps; h = desktop.getWindow(h, platform::WindowRelation::Next), ++steps) {
        if (snapshot.size() < kMaxTasks && IsTask(desktop, h, ownWindow))
            snapshot.push_back(h);
    }
}

} // namespace tasks
