#pragma once
// The task-counter menu T: its entries carry the bar's actions.
#include "platform/Toolkit.h"

#include <functional>

namespace tasks {

// "show tasks" runs showTaskManager, "settings" runs openSettings (the alignment page).
ui::MenuItem BuildTaskCounterMenu(std::function<void()> showTaskManager, std::function<void()> openSettings);

} // namespace tasks
