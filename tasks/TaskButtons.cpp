#include "tasks/TaskButtons.h"
#include "tasks/TaskIds.h"

#include "tasks/TaskFilter.h"

#include <algorithm>
#include <cmath>
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
    // The arrows also reach the buttons scrolled out of view.
    props.arrowKeys = true;
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
    props.arrowKeys = false;
    return props;
}

// A new window still hidden after this many checks (2 s at 50 ms) is left to the refresh tick.
constexpr unsigned long kNewWindowChecks = 40;
// A notch of the wheel (120) scrolls as many buttons as the platform's usual three lines.
constexpr int kWheelStep = 40;
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
    if (groupingWanted_ && groupingWanted_() != TaskWindows.grouping())
        TaskWindows.setGrouping(
            !TaskWindows.grouping(), [this](WindowHandle window) { return programs_->programOf(window); });
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
        if (TaskWindows.at(i) == LastForeground) {
            scrollIntoView(i);
            break;
        }
    }
}

void TaskButtons::scrollIntoView(std::size_t i)
{
    if (i < first_)
        first_ = i;
    else if (i >= first_ + rows_.shown)
        first_ = i + 1 - rows_.shown;
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
    case ui::MouseButton::Middle:
        return ClickOutcome::MiddleClicked;
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
    case ui::kKeyLeft:
    case ui::kKeyUp:
    case ui::kKeyRight:
    case ui::kKeyDown: {
        const std::size_t count = TaskWindows.count();
        const bool back = virtualKey == ui::kKeyLeft || virtualKey == ui::kKeyUp;
        const std::size_t next = back ? (index + count - 1) % count : (index + 1) % count;
        if (rows_.scrolls) {
            scrollIntoView(next);
            placeAll();
        }
        form_.toolkit().focusControl(form_.id(), VTASKS[next]->id());
        return ClickOutcome::Ignored;
    }
    default:
        return ClickOutcome::Ignored;
    }
}

bool TaskButtons::Wheel(ui::ControlId under, float x, float y, int turn)
{
    const ui::Rect& column = VTASKS[0]->rect();
    const bool overButton = index(under) < TaskWindows.count() || under == up_.id() || under == down_.id();
    const bool overGap = under == 0 && x >= column.left && x < column.left + column.width && y >= 0 &&
        (areaBottom_ <= 0 || y < areaBottom_);
    if (!overButton && !overGap)
        return false;
    wheelTurn_ += turn;
    const int steps = wheelTurn_ / kWheelStep;
    wheelTurn_ -= steps * kWheelStep;
    // Turning the wheel away from the user shows what lies above.
    if (steps != 0)
        Scroll(-steps);
    return true;
}

void TaskButtons::Drop(std::size_t index, float x, float y)
{
    const std::size_t count = TaskWindows.count();
    if (index >= count || index >= VTASKS.size())
        return;
    const ui::Rect& from = VTASKS[index]->rect();
    const float atX = from.left + x;
    const float atY = from.top + y;
    // Let go off the list (beside the bar, on the panel) is no move.
    if (atX < from.left || atX >= from.left + from.width || atY < 0 || (areaBottom_ > 0 && atY >= areaBottom_))
        return;
    const float row = std::floor((atY - rows_.top) / rows_.pitch);
    const std::size_t last = std::min(count, first_ + rows_.shown) - 1;
    const std::size_t to = row < 0 ? first_ : std::min(last, first_ + static_cast<std::size_t>(row));
    if (to == index)
        return;
    const WindowHandle moved = TaskWindows.at(index);
    TaskWindows.move(index, to);
    // Grouped, the window's whole group may have moved.
    std::size_t now = to;
    for (std::size_t i = 0; i < count; ++i) {
        updateButton(i);
        if (TaskWindows.at(i) == moved)
            now = i;
    }
    form_.toolkit().focusControl(form_.id(), VTASKS[now]->id());
}

ui::ControlId TaskButtons::firstButton() const
{
    return first_ < TaskWindows.count() && VTASKS[first_]->visible() ? VTASKS[first_]->id() : 0;
}

void TaskButtons::groupProgramsWhen(std::function<bool()> wanted, platform::Processes& processes)
{
    programs_.emplace(desktop_, processes);
    groupingWanted_ = std::move(wanted);
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
