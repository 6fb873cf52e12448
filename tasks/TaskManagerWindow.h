#pragma once
// Owns the task manager window for the bar: creates it on first demand and brings it to the front.
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "tasks/TASKMGR.h"

namespace tasks {

class TaskManagerWindow final {
public:
    // owner is the bar's form: the window is owned by it, and a timer of it frees closed windows.
    // While hideOwnProcess answers true, the list leaves out the program's own process.
    TaskManagerWindow(platform::Platform& platform, ui::Form& owner, std::function<bool()> hideOwnProcess = {});
    TaskManagerWindow(const TaskManagerWindow&) = delete;
    TaskManagerWindow& operator=(const TaskManagerWindow&) = delete;

    // Makes the window visible and the foreground window, loading it (and filling its list) when
    // it is not open.
    void Show();
    bool isOpen() const { return slot_.isOpen(); }
    // The open window, or null.
    const TASKMGR* window() const { return slot_.window(); }
    // A closed window still waits to be freed.
    bool holdsClosedWindow() const { return slot_.holdsClosedWindow(); }

private:
    ui::SecondaryWindow<TASKMGR> slot_;
};

} // namespace tasks
