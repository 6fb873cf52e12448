#pragma once
// The bar's four popup menus as data: the main menu, the task menu, the task-counter menu and
// the memory menu. They are never shown in a menu bar, only popped up at the mouse.
#include "platform/Toolkit.h"

namespace bar {

ui::MenuItem BuildMainMenu();        // MSETTS
ui::MenuItem BuildTaskMenu();        // MF
ui::MenuItem BuildTaskCounterMenu(); // T

} // namespace bar
