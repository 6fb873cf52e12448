#include "tasks/TaskButtonInput.h"

#include "tasks/TaskActions.h"
#include "tasks/TaskIds.h"

namespace tasks {

namespace {
constexpr std::size_t kNoButton = static_cast<std::size_t>(-1);
} // namespace

TaskButtonInput::TaskButtonInput(platform::Platform& platform, ui::Form& form, TaskButtons& buttons,
    std::function<void()> refresh, std::function<bool()> ending)
    : platform_(platform)
    , form_(form)
    , buttons_(buttons)
    , refresh_(std::move(refresh))
    , ending_(std::move(ending))
{
    form_.onMouseUpRange(task_ids::VTASKS_BASE, task_ids::VTASKS_LAST,
        [this](ui::ControlId id, ui::MouseButton button) { TaskButtonReleased(id, button); });
    form_.onKeyRange(task_ids::VTASKS_BASE, task_ids::VTASKS_LAST,
        [this](ui::ControlId id, int virtualKey) { TaskButtonKey(id, virtualKey); });
    form_.onDropRange(task_ids::VTASKS_BASE, task_ids::VTASKS_LAST, [this](ui::ControlId id, float x, float y) {
        const std::size_t index = buttons_.index(id);
        if (index != kNoButton)
            buttons_.Drop(index, x, y);
    });
    form_.onWheel = [this](ui::ControlId under, float x, float y, int turn) { buttons_.Wheel(under, x, y, turn); };
}

void TaskButtonInput::TaskButtonReleased(ui::ControlId id, ui::MouseButton button)
{
    const std::size_t index = buttons_.index(id);
    if (index != kNoButton)
        AfterTaskButton(buttons_.Click(index, button));
}

void TaskButtonInput::TaskButtonKey(ui::ControlId id, int virtualKey)
{
    const std::size_t index = buttons_.index(id);
    if (index != kNoButton)
        AfterTaskButton(buttons_.KeyPressed(index, virtualKey));
}

void TaskButtonInput::AfterTaskButton(TaskButtons::ClickOutcome outcome)
{
    if (outcome == TaskButtons::ClickOutcome::Ignored)
        return;
    if (outcome == TaskButtons::ClickOutcome::MenuWanted)
        ui::PopupMenu(form_, BuildTaskMenu(platform_, buttons_.SelectedTask), task_ids::menu::MFF_0);
    if (outcome == TaskButtons::ClickOutcome::MiddleClicked)
        MiddleClickTask(platform_, buttons_.SelectedTask, middleClick_ ? middleClick_() : MiddleClickAction::Close);
    // The menu's action may have ended the program.
    if (ending_())
        return;
    form_.toolkit().processPendingMessages();
    if (ending_())
        return;
    refresh_();
}

} // namespace tasks
