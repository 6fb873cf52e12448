#pragma once
// The task buttons VTASKS: one label per task, captioned with the window's title and highlighted
// for the foreground window; clicks switch to a task or minimise it.
#include "platform/Desktop.h"
#include "platform/Widgets.h"
#include "tasks/TaskTable.h"

#include <memory>
#include <vector>

namespace tasks {

class TaskButtons {
public:
    // Element 0 always exists; the form's own window never gets a button.
    TaskButtons(platform::Desktop& desktop, ui::Form& form, WindowHandle ownWindow);

    // Enumerates the desktop's windows, merges them into the table and brings the buttons up to
    // date. Writes to a button only what changed.
    void RefreshTaskButtons(WindowHandle desktopWindow);

    enum class ClickOutcome { Ignored, Activated, Minimised, MenuWanted, Selected };
    // Mouse-up on element index: sets SelectedTask and switches to or minimises the task. The caller
    // opens the task menu for MenuWanted, then lets pending messages run and refreshes.
    ClickOutcome Click(std::size_t index, ui::MouseButton button);

    // Geometry from the bar's layout, applied to every element.
    void setButtonsLeft(float left);
    void setButtonsWidth(float width);
    float buttonsLeft() const { return VTASKS[0]->rect().left; }

    std::size_t buttonCount() const { return VTASKS.size(); }
    const ui::Control& button(std::size_t i) const { return *VTASKS[i]; }
    const TaskTable& table() const { return TaskWindows; }
    std::size_t index(ui::ControlId id) const;
    WindowHandle LastForeground = 0;
    WindowHandle SelectedTask = 0;

private:
    void updateButton(std::size_t i);

    platform::Desktop& desktop_;
    ui::Form& form_;
    WindowHandle ownWindow_;
    TaskTable TaskWindows;
    std::vector<WindowHandle> snapshot_;
    std::vector<std::unique_ptr<ui::Control>> VTASKS;
    char title_[256] = {};
};

} // namespace tasks
