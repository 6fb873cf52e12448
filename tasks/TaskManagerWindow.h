#pragma once
// Owns the task manager window for the bar: creates it on first demand, brings it to the front,
// and frees a closed one only after every handler of it has returned (its handlers let pending
// messages run, and those can close it).
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "tasks/TASKMGR.h"

#include <memory>
#include <vector>

namespace tasks {

class TaskManagerWindow final {
public:
    // owner is the bar's form: the window is owned by it, and a timer of it frees closed windows.
    TaskManagerWindow(platform::Platform& platform, ui::Form& owner);
    ~TaskManagerWindow();
    TaskManagerWindow(const TaskManagerWindow&) = delete;
    TaskManagerWindow& operator=(const TaskManagerWindow&) = delete;

    // Makes the window visible and the foreground window, loading it (and filling its list) when
    // it is not open.
    void Show();
    bool isOpen() const { return current_ && !current_->unloaded(); }
    // The open window, or null.
    const TASKMGR* window() const { return isOpen() ? current_.get() : nullptr; }

private:
    void ReleaseClosed();

    platform::Platform& platform_;
    platform::WindowHandle ownerWindow_;
    std::unique_ptr<TASKMGR> current_;
    // Closed windows waiting for their last handler to return.
    std::vector<std::unique_ptr<TASKMGR>> closed_;
    ui::Timer release_;
};

} // namespace tasks
