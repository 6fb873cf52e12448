#include "tasks/TaskButtons.h"
#include "tasks/TaskIds.h"

#include "tasks/TaskFilter.h"

#include <string_view>

namespace tasks {

namespace {

ui::ControlSpec FirstButtonDesign()
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Label;
    props.rect = {120, 120, 2775, 285};
    props.caption = "...";
    props.border = true;
    props.align = ui::TextAlign::Centre;
    props.font = {"MS Sans Serif", 9.75f, false};
    props.back = ui::kSysButtonFace;
    props.fore = ui::kSysButtonText;
    return props;
}

} // namespace

TaskButtons::TaskButtons(platform::Desktop& desktop, ui::Form& form, WindowHandle ownWindow)
    : desktop_(desktop)
    , form_(form)
    , ownWindow_(ownWindow)
{
    snapshot_.reserve(256);
    VTASKS.push_back(std::make_unique<ui::Control>(form_, task_ids::VTASKS_BASE, FirstButtonDesign()));
}

std::size_t TaskButtons::index(ui::ControlId id) const
{
    if (id < task_ids::VTASKS_BASE || id > task_ids::VTASKS_LAST)
        return static_cast<std::size_t>(-1);
    return static_cast<std::size_t>(id - task_ids::VTASKS_BASE);
}

void TaskButtons::RefreshTaskButtons(WindowHandle desktopWindow)
{
    LastForeground = desktop_.foreground();
    EnumerateTasks(desktop_, desktopWindow, ownWindow_, snapshot_);
    TaskWindows.merge(snapshot_);

    const std::size_t taskCount = TaskWindows.count();
    for (std::size_t i = 0; i < taskCount; ++i)
        updateButton(i);

    // Surplus buttons: unload the loaded ones, hide element 0.
    while (VTASKS.size() > taskCount && VTASKS.size() > 1)
        VTASKS.pop_back();
    if (taskCount == 0)
        VTASKS[0]->setVisible(false);
}

void TaskButtons::updateButton(std::size_t i)
{
    if (i >= VTASKS.size()) {
        // A new element takes its properties from element 0, one and a quarter heights further down.
        ui::ControlSpec props = VTASKS[0]->state();
        props.visible = true;
        props.rect.top = VTASKS[0]->rect().top + static_cast<float>(i) * 1.25f * VTASKS[0]->rect().height;
        VTASKS.push_back(std::make_unique<ui::Control>(form_, task_ids::VTASKS_BASE + static_cast<int>(i), props));
    }
    ui::Control& button = *VTASKS[i];
    button.setVisible(true);

    const WindowHandle window = TaskWindows.at(i);
    if (window == LastForeground)
        button.setColours(ui::kSysHighlight, ui::kSysHighlightText);
    else
        button.setColours(ui::kSysButtonFace, ui::kSysButtonText);

    const int length = desktop_.windowText(window, title_, static_cast<int>(sizeof title_));
    const std::string_view title(title_, length > 0 ? static_cast<std::size_t>(length) : 0);
    button.setCaption(title);
    button.setToolTip(title);
}

TaskButtons::ClickOutcome TaskButtons::Click(std::size_t index, ui::MouseButton button)
{
    if (button == ui::MouseButton::None || index >= TaskWindows.count())
        return ClickOutcome::Ignored;
    const WindowHandle task = TaskWindows.at(index);
    SelectedTask = task;
    switch (button) {
    case ui::MouseButton::Left:
        // A minimised window can still be the foreground one (the last window left, or a platform
        // that hands activation on to nobody): its button must bring it back, not minimise it again.
        // Show commands are posted, as the task menu's are: a hung window cannot freeze the bar.
        if (task != LastForeground || desktop_.isIconic(task)) {
            desktop_.setForeground(task);
            if (desktop_.isIconic(task))
                desktop_.showWindowAsync(task, platform::ShowCommand::Restore);
            return ClickOutcome::Activated;
        }
        desktop_.showWindowAsync(task, platform::ShowCommand::Minimize);
        return ClickOutcome::Minimised;
    case ui::MouseButton::Right:
        return ClickOutcome::MenuWanted;
    default:
        return ClickOutcome::Selected;
    }
}

void TaskButtons::setButtonsLeft(float left)
{
    for (auto& button : VTASKS)
        button->setLeft(left);
}

void TaskButtons::setButtonsWidth(float width)
{
    for (auto& button : VTASKS)
        button->setWidth(width);
}

} // namespace tasks
