#pragma once
// The user's clicks, keys, drags and wheel on the task buttons: the task switched to or minimised,
// its task menu popped up, its button moved, or the list scrolled; then the buttons brought up to date.
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "tasks/TaskActions.h"
#include "tasks/TaskButtons.h"

#include <functional>

namespace tasks {

class TaskButtonInput {
public:
    // refresh brings the buttons up to date; ending tells that the program is ending, after which
    // nothing may touch the windows.
    TaskButtonInput(platform::Platform& platform, ui::Form& form, TaskButtons& buttons, std::function<void()> refresh,
        std::function<bool()> ending);
    TaskButtonInput(const TaskButtonInput&) = delete;
    TaskButtonInput& operator=(const TaskButtonInput&) = delete;

    // What a middle click does, asked at each one; until set, it closes the window.
    void setMiddleClick(std::function<MiddleClickAction()> chosen) { middleClick_ = std::move(chosen); }

private:
    void TaskButtonReleased(ui::ControlId id, ui::MouseButton button);
    void TaskButtonKey(ui::ControlId id, int virtualKey);
    // After a task button's click or key: the task menu when wanted, then the buttons refreshed.
    void AfterTaskButton(TaskButtons::ClickOutcome outcome);

    platform::Platform& platform_;
    ui::Form& form_;
    TaskButtons& buttons_;
    std::function<void()> refresh_;
    std::function<bool()> ending_;
    std::function<MiddleClickAction()> middleClick_;
};

} // namespace tasks
