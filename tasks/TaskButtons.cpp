#include "tasks/TaskButtons.h"
#include "tasks/TaskIds.h"

#include "tasks/TaskFilter.h"

#include <algorithm>
#include <limits>
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

ui::ControlSpec ScrollArrowDesign(const char* caption, const char* toolTip)
{
    ui::ControlSpec props = FirstButtonDesign();
    props.rect.height = kScrollArrowHeight;
    props.caption = caption;
    props.font = {"MS Sans Serif", 8.25f, true};
    props.toolTip = toolTip;
    props.visible = false;
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
    , up_(form, task_ids::VTASKS_UP, ScrollArrowDesign("^", "Scroll up"))
    , down_(form, task_ids::VTASKS_DOWN, ScrollArrowDesign("v", "Scroll down"))
    , icons_(
          desktop, TaskIcons::SizeForScreen(form.toolkit().screen().twipsPerPixelX), [this] { eventPending_ = true; })
{
    snapshot_.reserve(256);
    elsewhere_.reserve(256);
    VTASKS.push_back(std::make_unique<ui::Control>(form_, task_ids::VTASKS_BASE, FirstButtonDesign()));
    up_.onClick([this] { Scroll(-static_cast<int>(std::max<std::size_t>(1, rows_.shown - 1))); });
    down_.onClick([this] { Scroll(static_cast<int>(std::max<std::size_t>(1, rows_.shown - 1))); });
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
    if (event == platform::WindowEvent::Renamed || event == platform::WindowEvent::Redrawn)
        icons_.refetch(window);
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
    arrange(taskCount);
    for (std::size_t i = 0; i < taskCount; ++i)
        updateButton(i);

    // Surplus buttons: unload the loaded ones, hide element 0.
    while (VTASKS.size() > taskCount && VTASKS.size() > 1)
        VTASKS.pop_back();
    if (taskCount == 0)
        VTASKS[0]->setVisible(false);
    placeAll();
    icons_.finishRefresh();
}

void TaskButtons::arrange(std::size_t count)
{
    const ui::Rect& first = VTASKS[0]->rect();
    const float bottom = areaBottom_ > 0 ? areaBottom_ : std::numeric_limits<float>::max();
    rows_ = ArrangeTaskRows(count, FirstButtonDesign().rect.top, first.height, bottom);
    if (!rows_.scrolls) {
        first_ = 0;
        shownForeground_ = LastForeground;
        return;
    }
    first_ = std::min(first_, count - rows_.shown);
    if (LastForeground == shownForeground_)
        return;
    shownForeground_ = LastForeground;
    for (std::size_t i = 0; i < count; ++i) {
        if (TaskWindows.at(i) != LastForeground)
            continue;
        if (i < first_)
            first_ = i;
        else if (i >= first_ + rows_.shown)
            first_ = i + 1 - rows_.shown;
        break;
    }
}

void TaskButtons::placeButton(std::size_t i)
{
    ui::Control& button = *VTASKS[i];
    const bool shown = i >= first_ && i < first_ + rows_.shown;
    if (shown) {
        ui::Rect r = button.rect();
        r.top = rows_.top + static_cast<float>(i - first_) * rows_.pitch;
        button.setRect(r);
    }
    button.setVisible(shown);
}

void TaskButtons::placeAll()
{
    const std::size_t count = TaskWindows.count();
    for (std::size_t i = 0; i < count && i < VTASKS.size(); ++i)
        placeButton(i);
    const ui::Rect& first = VTASKS[0]->rect();
    up_.setRect({first.left, 0, first.width, kScrollArrowHeight});
    down_.setRect({first.left, areaBottom_ - kScrollArrowHeight, first.width, kScrollArrowHeight});
    up_.setVisible(rows_.scrolls && first_ > 0);
    down_.setVisible(rows_.scrolls && first_ + rows_.shown < count);
}

void TaskButtons::setAreaBottom(float bottom)
{
    if (bottom == areaBottom_)
        return;
    areaBottom_ = bottom;
    arrange(TaskWindows.count());
    placeAll();
}

void TaskButtons::Scroll(int buttons)
{
    if (!rows_.scrolls)
        return;
    const std::size_t last = TaskWindows.count() - rows_.shown;
    const long long wanted = static_cast<long long>(first_) + buttons;
    first_ = static_cast<std::size_t>(std::clamp<long long>(wanted, 0, static_cast<long long>(last)));
    placeAll();
}

void TaskButtons::updateButton(std::size_t i)
{
    if (i >= VTASKS.size()) {
        // A new element takes its properties from element 0, in its row.
        ui::ControlSpec props = VTASKS[0]->state();
        props.visible = i >= first_ && i < first_ + rows_.shown;
        props.continuesGroup = true;
        props.rect.top = rows_.top + static_cast<float>(i - std::min(i, first_)) * rows_.pitch;
        VTASKS.push_back(std::make_unique<ui::Control>(form_, task_ids::VTASKS_BASE + static_cast<int>(i), props));
    }
    ui::Control& button = *VTASKS[i];
    placeButton(i);

    const WindowHandle window = TaskWindows.at(i);
    if (window == LastForeground)
        button.setColours(ui::kSysHighlight, ui::kSysHighlightText);
    else
        button.setColours(ui::kSysButtonFace, ui::kSysButtonText);

    const int length = desktop_.windowText(window, title_, static_cast<int>(sizeof title_));
    const std::string_view title(title_, length > 0 ? static_cast<std::size_t>(length) : 0);
    button.setCaption(title);
    button.setToolTip(title);
    button.setIcon(icons_.iconFor(window), ui::Artwork::TaskIcon);
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
    return first_ < TaskWindows.count() && VTASKS[first_]->visible() ? VTASKS[first_]->id() : 0;
}

void TaskButtons::setButtonsLeft(float left)
{
    for (auto& button : VTASKS)
        button->setLeft(left);
    up_.setLeft(left);
    down_.setLeft(left);
}

void TaskButtons::setButtonsWidth(float width)
{
    for (auto& button : VTASKS)
        button->setWidth(width);
    up_.setWidth(width);
    down_.setWidth(width);
}

} // namespace tasks
