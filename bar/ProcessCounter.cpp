#include "bar/ProcessCounter.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"
#include "tasks/MODULQTask2.h"
#include "tasks/CounterMenu.h"

#include <cstdio>

namespace bar {

ProcessCounter::ProcessCounter(ui::Form& form, platform::Processes& processes, BarCommands& commands)
    : form_(form)
    , processes_(processes)
    , commands_(commands)
    , TSKMODE0(form, bar_ids::TSKMODE_0, bar::ControlSpecOf(bar_ids::TSKMODE_0))
    , TIM3(form, bar_ids::TIM3, bar::ControlSpecOf(bar_ids::TIM3))
    , T(tasks::BuildTaskCounterMenu(
          [&commands] { commands.ShowTaskManager(); }, [&commands] { commands.PopupSettings(1); }))
{
    for (ui::Control* c : {&TIM3, &TSKMODE0}) {
        c->onDoubleClick([this] { commands_.ShowTaskManager(); });
        c->onMouseUp([this](ui::MouseButton button, int, float, float) {
            if (button == ui::MouseButton::Right)
                PopupMenu();
        });
    }
}

void ProcessCounter::PopupMenu()
{
    ui::PopupMenu(form_, T, T.items.front().id);
}

void ProcessCounter::Refresh()
{
    const unsigned n = tasks::CountProcesses(processes_);
    char text[32];
    int length = std::snprintf(text, sizeof text, "%u tasks", n);
    TIM3.setCaption(std::string_view(text, static_cast<std::size_t>(length)));
    length = std::snprintf(text, sizeof text, "%u tasks running", n);
    TIM3.setToolTip(std::string_view(text, static_cast<std::size_t>(length)));
}

} // namespace bar
