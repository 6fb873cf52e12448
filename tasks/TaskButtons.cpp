#include "tasks/TaskButtons.h"
#include "tasks/TaskIds.h"

#include "tasks/TaskFilter.h"

#include <algorithm>
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
    // The buttons are one group: Tab reaches the first, the arrow keys the others.
    props.pressable = true;
    return props;
}

// A new window still hidden after this many checks (2 s at 50 ms) is left to the refresh tick.
constexpr unsigned long kNewWindowChecks = 40;
// Tasks compared per check; more tasks are taken in turns, so a check stays cheap at any count.
constexpr std::size_t kTasksPerCheck = 256;

} // namespace

TaskButtons::TaskButtons(platform::Desktop& desktop, ui::Form& form, WindowHandle ownWindow)
    : desktop_(desktop)
    , form_(form)
    , ownWindow_(ownWindow)
{
    snapshot_.reserve(256);
    elsewhere_.reserve(256);
    VTASKS.push_back(std::make_unique<ui::Control>(form_, task_ids::VTASKS_BASE, FirstButtonDesign()));
    desktop_.watchWindowEvents(
        [this](platform::WindowEvent event, WindowHandle window) { noteWindowEvent(event, window); });
}

TaskButtons::~TaskButtons()
{
    desktop_.watchWindowEvents({});
}

void TaskButtons::noteWindowEvent(platform::WindowEvent event, WindowHandle window)
{
    if (window == ownWindow_)
        return;
    if (event != platform::WindowEvent::Created) {
        eventPending_ = true;
        return;
    }
    newWindows_[newWindowsHead_] = {window, checks_};
    newWindowsHead_ = (newWindowsHead_ + 1) % newWindows_.size();
}

bool TaskButtons::RefreshDue()
{
    ++checks_;
    if (eventPending_ || desktop_.foreground() != LastForeground || newWindowShown() || monitorChanged())
        return true;
    const std::size_t count = TaskWindows.count();
    const std::size_t n = std::min(count, kTasksPerCheck);
    for (std::size_t k = 0; k < n; ++k) {
        checkCursor_ = (checkCursor_ + 1) % count;
        if (taskChanged(checkCursor_))
            return true;
    }
    return false;
}

bool TaskButtons::newWindowShown()
{
    for (NewWindow& entry : newWindows_) {
        if (entry.window == 0)
            continue;
        if (checks_ - entry.seenAtCheck > kNewWindowChecks)
            entry.window = 0;
        else if (desktop_.isVisible(entry.window))
            return true;
    }
    return false;
}

bool TaskButtons::monitorChanged()
{
    if (!barMonitor_)
        return false;
    if (barMonitor_() != shownMonitor_)
        return true;
    const std::size_t count = elsewhere_.size();
    const std::size_t n = std::min(count, kTasksPerCheck);
    for (std::size_t k = 0; k < n; ++k) {
        elsewhereCursor_ = (elsewhereCursor_ + 1) % count;
        if (desktop_.monitorOf(elsewhere_[elsewhereCursor_]) == shownMonitor_)
            return true;
    }
    return false;
}

bool TaskButtons::taskChanged(std::size_t i)
{
    const WindowHandle window = TaskWindows.at(i);
    if (!desktop_.isVisible(window) || i >= VTASKS.size())
        return true;
    if (shownMonitor_ != 0 && desktop_.monitorOf(window) != shownMonitor_)
        return true;
    const int length = desktop_.windowText(window, title_, static_cast<int>(sizeof title_));
    const std::string_view title(title_, length > 0 ? static_cast<std::size_t>(length) : 0);
    return title != VTASKS[i]->caption();
}

std::size_t TaskButtons::index(ui::ControlId id) const
{
    if (id < task_ids::VTASKS_BASE || id > task_ids::VTASKS_LAST)
        return static_cast<std::size_t>(-1);
    return static_cast<std::size_t>(id - task_ids::VTASKS_BASE);
}

void TaskButtons::RefreshTaskButtons(WindowHandle desktopWindow)
{
    ++refreshCount_;
    eventPending_ = false;
    // New windows visible now are in this enumeration; hidden ones are still awaited.
    for (NewWindow& entry : newWindows_) {
        if (entry.window != 0 && desktop_.isVisible(entry.window))
            entry.window = 0;
    }
    LastForeground = desktop_.foreground();
    EnumerateTasks(desktop_, desktopWindow, ownWindow_, snapshot_);
    shownMonitor_ = barMonitor_ ? barMonitor_() : 0;
    elsewhere_.clear();
    if (shownMonitor_ != 0)
        snapshot_.erase(std::remove_if(snapshot_.begin(), snapshot_.end(),
                            [&](WindowHandle w) {
                                if (desktop_.monitorOf(w) == shownMonitor_)
                                    return false;
                                elsewhere_.push_back(w);
                                return true;
                            }),
            snapshot_.end());
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
        props.continuesGroup = true;
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

TaskButtons::ClickOutcome TaskButtons::KeyPressed(std::size_t index, int virtualKey)
{
    if (index >= TaskWindows.count())
        return ClickOutcome::Ignored;
    const WindowHandle task = TaskWindows.at(index);
    switch (virtualKey) {
    case ui::kKeyReturn:
    case ui::kKeySpace:
        // The bar has the focus, so the task is never the foreground window: always a switch.
        SelectedTask = task;
        desktop_.setForeground(task);
        if (desktop_.isIconic(task))
            desktop_.showWindowAsync(task, platform::ShowCommand::Restore);
        return ClickOutcome::Activated;
    case ui::kKeyApps:
        SelectedTask = task;
        return ClickOutcome::MenuWanted;
    default:
        return ClickOutcome::Ignored;
    }
}

ui::ControlId TaskButtons::firstButton() const
{
    return TaskWindows.count() > 0 && VTASKS[0]->visible() ? VTASKS[0]->id() : 0;
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
