#pragma once
// The bar's main menu MSETTS as data; it is never shown in a menu bar, only popped up at the
// mouse. Its entries ask the bar through its commands; "full height" is the bar's own.
#include "bar/BarCommands.h"
#include "platform/Toolkit.h"

namespace bar {

// programs is the program menu MX, placed as the menu's third entry.
ui::MenuItem BuildMainMenu(BarCommands& commands, ui::MenuItem programs);

} // namespace bar
