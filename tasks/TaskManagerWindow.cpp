#include "tasks/TaskManagerWindow.h"

#include "tasks/TaskIds.h"

#include <algorithm>

namespace tasks {

TaskManagerWindow::TaskManagerWindow(platform::Platform& platform, ui::Form& owner)
    : platform_(platform)
    , ownerWindow_(owner.window())
    // Armed when a closed window's last handler returns; fires from the message loop, outside
    // every handler of that window. (A zero interval would never fire on the real platform.)
    , release_(owner, task_ids::ReleaseTaskManager, 1, false, [this] { ReleaseClosed(); })
{
}

TaskManagerWindow::~TaskManagerWindow() = default;

void TaskManagerWindow::Show()
{
    if (isOpen()) {
        current_->BringToFront();
        return;
    }
    if (current_)
        closed_.push_back(std::move(current_));
    ReleaseClosed();
    current_ = std::make_unique<TASKMGR>(platform_, ownerWindow_, [this] { release_.setEnabled(true); });
    TASKMGR& window = *current_;
    // In front before the list fills, or the window's first tick would close it.
    window.BringToFront();
    // May run other handlers, even close and reopen the window: nothing of it is touched after.
    window.RefreshProcessList();
}

void TaskManagerWindow::ReleaseClosed()
{
    release_.setEnabled(false);
    if (current_ && current_->unloaded() && !current_->busy())
        current_.reset();
    closed_.erase(
        std::remove_if(closed_.begin(), closed_.end(), [](const auto& w) { return !w->busy(); }), closed_.end());
}

} // namespace tasks
