#include "tasks/TaskManagerWindow.h"

#include "tasks/TaskIds.h"

namespace tasks {

TaskManagerWindow::TaskManagerWindow(
    platform::Platform& platform, ui::Form& owner, std::function<bool()> hideOwnProcess)
    : slot_(owner, task_ids::ReleaseTaskManager,
          [&platform, ownerWindow = owner.window(), hide = std::move(hideOwnProcess)](auto onReleasable) {
              return std::make_unique<TASKMGR>(platform, ownerWindow, hide, std::move(onReleasable));
          })
{
}

void TaskManagerWindow::Show()
{
    bool created = false;
    TASKMGR& window = slot_.Open(&created);
    window.BringToFront();
    // Filling may run other handlers, even close and reopen the window: nothing of it is touched
    // after.
    if (created)
        window.RefreshProcessList();
}

} // namespace tasks
