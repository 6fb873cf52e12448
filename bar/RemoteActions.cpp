#include "bar/RemoteActions.h"

#include "tasks/TaskActions.h"

#include <algorithm>

namespace bar {

platform::WindowHandle RemoteActions::ForegroundTask() const
{
    const platform::WindowHandle foreground = desktop_.foreground();
    const auto& windows = tasks_.table().windows();
    return foreground && std::find(windows.begin(), windows.end(), foreground) != windows.end() ? foreground : 0;
}

void RemoteActions::Switch(int step)
{
    const auto& windows = tasks_.table().windows();
    if (windows.empty())
        return;
    const auto count = static_cast<std::ptrdiff_t>(windows.size());
    const auto at = std::find(windows.begin(), windows.end(), desktop_.foreground()) - windows.begin();
    // Without a task in front, the first task is next and the last one previous.
    const std::ptrdiff_t target = at == count ? (step > 0 ? 0 : count - 1) : ((at + step) % count + count) % count;
    const platform::WindowHandle window = windows[static_cast<std::size_t>(target)];
    // A press of the remote is no input of the user to the bar: without the leave won first,
    // Windows would only flash the task.
    desktop_.takeForegroundRight();
    if (desktop_.isIconic(window))
        desktop_.showWindowAsync(window, platform::ShowCommand::Restore);
    desktop_.setForeground(window);
}

void RemoteActions::Perform(std::string_view action)
{
    if (action == "PrevTask" || action == "NextTask") {
        Switch(action == "NextTask" ? 1 : -1);
    } else if (action == "MinTask" || action == "MaxTask" || action == "KillTask") {
        const platform::WindowHandle task = ForegroundTask();
        if (!task)
            return;
        if (action == "MinTask")
            tasks::ShowTask(desktop_, task, platform::ShowCommand::Minimize);
        else if (action == "MaxTask")
            tasks::ShowTask(desktop_, task,
                desktop_.isZoomed(task) ? platform::ShowCommand::Restore : platform::ShowCommand::Maximize);
        else
            tasks::TerminateTask(desktop_, processes_, task);
    } else if (action == "AlignNone") {
        commands_.SetAlign(-1);
    } else if (action == "MoveUp") {
        commands_.MoveBar(0, -kMovePixels);
    } else if (action == "MoveDown") {
        commands_.MoveBar(0, kMovePixels);
    } else if (action == "MoveLeft") {
        commands_.MoveBar(-kMovePixels, 0);
    } else if (action == "MoveRight") {
        commands_.MoveBar(kMovePixels, 0);
    } else if (action == "FreeMem") {
        commands_.FreeUpMemory();
    } else if (action == "Quit") {
        commands_.Quit();
    } else if (action == "Log off") {
        commands_.EndSession(PowerAction::LogOff);
    } else if (action == "Restart") {
        commands_.EndSession(PowerAction::Restart);
    } else if (action == "Shut down") {
        commands_.EndSession(PowerAction::ShutDown);
    } else if (action == "Run") {
        desktop_.takeForegroundRight();
        commands_.FocusRunBox();
    }
}

} // namespace bar
