#pragma once
// The bar's four popup menus as data: the main menu, the task menu, the task-counter menu and
// the memory menu. They are never shown in a menu bar, only popped up at the mouse.
#include "platform/Toolkit.h"

namespace bar {

ui::MenuItem BuildMainMenu();        // MSETTS
ui::MenuItem BuildTaskMenu();        // MF
ui::MenuItem BuildTaskCounterMenu(); // T
ui::MenuItem BuildMemoryMenu();      // MMEMS

// The entry with this id anywhere below root, or null.
const ui::MenuItem* FindMenuItem(const ui::MenuItem& root, ui::MenuId id);
ui::MenuItem* FindMenuItem(ui::MenuItem& root, ui::MenuId id);

} // namespace bar
