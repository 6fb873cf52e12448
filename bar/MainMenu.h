#pragma once
// The bar's main menu MSETTS as data; it is never shown in a menu bar, only popped up at the
// mouse. The entries the bar shares with its other callers ask it through its commands; "about",
// "sleep mode" and "full height", which only this menu offers, the bar wires itself.
#include "bar/BarCommands.h"
#include "platform/Toolkit.h"

namespace bar {

// programs is the program menu MX, placed as the menu's third entry.
ui::MenuItem BuildMainMenu(BarCommands& commands, ui::MenuItem programs);

} // namespace bar
