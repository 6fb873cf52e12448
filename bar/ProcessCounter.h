#pragma once
// The task counter: TIM3 with the icon TSKMODE(0) shows how many processes run; a double-click
// opens the task manager and a right click the counter menu T.
#include "bar/BarCommands.h"
#include "platform/Processes.h"
#include "platform/Widgets.h"

#include <functional>

namespace bar {

class ProcessCounter {
public:
    ProcessCounter(ui::Form& form, platform::Processes& processes, BarCommands& commands);
    void Refresh();
    const ui::MenuItem& menu() const { return T; }

private:
    void PopupMenu();

    ui::Form& form_;
    platform::Processes& processes_;
    BarCommands& commands_;
    ui::Control TSKMODE0; // picture: the tasks icon
    ui::Control TIM3;     // label: the number of processes
    ui::MenuItem T;
};

} // namespace bar
