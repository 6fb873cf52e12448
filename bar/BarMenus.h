#pragma once
// The bar's main menu as data; it is never shown in a menu bar, only popped up at the mouse. The
// task and task-counter menus come from tasks/TaskActions.h, the memory menu from its indicator.
#include "platform/Toolkit.h"

namespace bar {

ui::MenuItem BuildMainMenu(); // MSETTS

} // namespace bar
