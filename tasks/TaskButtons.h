#pragma once
// The task buttons VTASKS: one label per task, captioned with the window's title and highlighted
// for the foreground window; clicks switch to a task or minimise it.
#include "platform/Desktop.h"
#include "platform/Processes.h"
#include "platform/Widgets.h"
#include "tasks/ProgramGroups.h"
#include "tasks/TaskIcons.h"
#include "tasks/TaskRows.h"
#include "tasks/TaskTable.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tasks {

class TaskButtons {
public:
    // Element 0 always exists; the form's own window never gets a button.
    // Watches the desktop's window events from here on, until destroyed.
    TaskButtons(platform::Desktop& desktop, ui::Form& form, WindowHandle ownWindow);
    ~TaskButtons();
    TaskButtons(const TaskButtons&) = delete;
    TaskButtons& operator=(const TaskButtons&) = delete;

    // Enumerates the desktop's windows, merges them into the table and brings the buttons up to
    // date. Writes to a button only what changed.
    void RefreshTaskButtons(WindowHandle desktopWindow);

    // Asked on a short tick: whether the buttons should be refreshed now because a window event
    // came in, or because the desktop differs from the buttons where a platform reports no event:
    // another foreground window, a task window gone, hidden or renamed, a newly created window
    // now visible. A few calls per task and per new window; no enumeration, no allocation.
    bool RefreshDue();
    std::size_t refreshCount() const { return refreshCount_; }

    enum class ClickOutcome { Ignored, Activated, Minimised, MenuWanted, MiddleClicked, Selected };
    // Mouse-up on element index: sets SelectedTask and switches to or minimises the task. The caller
    // opens the task menu for MenuWanted, acts on a MiddleClicked task as the user chose, then
    // lets pending messages run and refreshes.
    ClickOutcome Click(std::size_t index, ui::MouseButton button);
    // A key on element index (ui::UserInput::Kind::Key): Enter and Space switch to the task, the
    // context-menu key selects it and wants the task menu. The arrow keys move the focus to the
    // button before or after it, round the end, scrolling it into view.
    ClickOutcome KeyPressed(std::size_t index, int virtualKey);
    // The mouse wheel over the form: scrolls when the mouse is over the task area. True when it
    // was over it.
    bool Wheel(ui::ControlId under, float x, float y, int turn);
    // Element index was pressed and let go at x, y from its corner: let go over another button of
    // the list, its task takes that place.
    void Drop(std::size_t index, float x, float y);
    // The first button, while there is a task; 0 otherwise.
    ui::ControlId firstButton() const;

    // Buttons only for the windows on the monitor this names, asked at every refresh; 0 for every
    // window. A window on no monitor counts as the primary one's.
    void setMonitorFilter(std::function<platform::MonitorHandle()> barMonitor) { barMonitor_ = std::move(barMonitor); }
    // The windows of one program side by side while wanted() says so, asked at every refresh;
    // a window's program is asked of processes once, when it joins.
    void groupProgramsWhen(std::function<bool()> wanted, platform::Processes& processes);

    // Where the buttons' space ends (the panel's top, twips): buttons that do not fit there close
    // up, then scroll.
    void setAreaBottom(float bottom);
    // Scrolls by whole buttons (negative: up), as far as there are more that way.
    void Scroll(int buttons);
    // The buttons shown now: from firstShown() on, rows().shown of them (fewer at the end).
    std::size_t firstShown() const { return first_; }
    const TaskRows& rows() const { return rows_; }

    // Geometry from the bar's layout, applied to every element.
    void setButtonsLeft(float left);
    void setButtonsWidth(float width);
    float buttonsLeft() const { return VTASKS[0]->rect().left; }

    const ui::Control& button(std::size_t i) const { return *VTASKS[i]; }
    const TaskTable& table() const { return TaskWindows; }
    std::size_t index(ui::ControlId id) const;
    WindowHandle LastForeground = 0;
    WindowHandle SelectedTask = 0;

private:
    void updateButton(std::size_t i);
    // The rows for this many buttons, the first shown kept in range and the foreground window's
    // button scrolled into view when the foreground changed.
    void arrange(std::size_t count);
    void placeButton(std::size_t i);
    // Scrolls as little as shows button i.
    void scrollIntoView(std::size_t i);
    void placeAll();
    void noteWindowEvent(platform::WindowEvent event, WindowHandle window);
    bool taskChanged(std::size_t i);
    bool monitorChanged();
    bool newWindowShown();

    platform::Desktop& desktop_;
    ui::Form& form_;
    WindowHandle ownWindow_;
    TaskTable TaskWindows;
    std::vector<WindowHandle> snapshot_;
    std::vector<std::unique_ptr<ui::Control>> VTASKS;
    ui::Control up_;
    ui::Control down_;
    float areaBottom_ = 0; // 0 until the bar's layout says: no limit
    TaskRows rows_;
    std::size_t first_ = 0;
    int wheelTurn_ = 0; // what the wheel turned short of a whole step
    WindowHandle shownForeground_ = 0;
    char title_[256] = {};
    TaskIcons icons_;

    // Windows reported as created: a platform that reports creation but not showing would
    // otherwise leave them to the slow tick. A ring: in a burst the latest ones are kept.
    struct NewWindow {
        WindowHandle window = 0;
        unsigned long seenAtCheck = 0;
    };
    std::array<NewWindow, 64> newWindows_ {};
    std::size_t newWindowsHead_ = 0;
    bool eventPending_ = false;
    unsigned long checks_ = 0;
    std::size_t checkCursor_ = 0;
    std::size_t refreshCount_ = 0;
    std::function<platform::MonitorHandle()> barMonitor_;
    std::function<bool()> groupingWanted_;
    std::optional<ProgramGroups> programs_;
    // The monitor the buttons were last made for (0: every window), and the tasks left out then:
    // checked in turns, as the buttons are, so that a window moved across comes at once.
    platform::MonitorHandle shownMonitor_ = 0;
    std::vector<WindowHandle> elsewhere_;
    std::size_t elsewhereCursor_ = 0;
};

} // namespace tasks
