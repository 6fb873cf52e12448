#include "tasks/CounterMenu.h"

#include "tasks/TaskIds.h"

#include <utility>

namespace tasks {

namespace m = task_ids::menu;

ui::MenuItem BuildTaskCounterMenu(std::function<void()> showTaskManager, std::function<void()> openSettings)
{
    ui::MenuItem show;
    show.id = m::MTASKS_0;
    show.caption = "show tasks";
    show.action = std::move(showTaskManager);
    ui::MenuItem settings;
    settings.id = m::MTASKS_0 + 1;
    settings.caption = "settings";
    settings.action = std::move(openSettings);

    ui::MenuItem menu;
    menu.id = m::T;
    menu.caption = "T";
    menu.items = {std::move(show), std::move(settings)};
    return menu;
}

} // namespace tasks
