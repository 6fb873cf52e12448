#pragma once
// The bar's popup menus as they should look: the lists the pixel checks compare the real menus
// with, and the cases pick entries from by caption.
#include <vector>

namespace bar_probe {

struct MenuEntry {
    enum class Kind { Normal, Disabled, Separator, Submenu };
    const char* text;
    Kind kind;
};

// The main menu: "about...", "programs", ..., "quit"; "control panel" is its default.
std::vector<MenuEntry> MainMenuEntries();
constexpr int kMainMenuDefault = 9; // "control panel", by position
// The quit menu: "quit", "log off", "restart", "shut down".
std::vector<MenuEntry> QuitMenuEntries();
constexpr int kQuitMenuDefault = 3;
// The task menu: "restore" (the default) to "close", with the "advanced" submenu.
std::vector<MenuEntry> TaskMenuEntries();
constexpr int kTaskMenuDefault = 0;
// The task menu's "advanced" submenu: "standard", "always on top", "hide", "terminate".
std::vector<MenuEntry> AdvancedMenuEntries();
// The right-click menus of the memory indicator and of the task counter.
std::vector<MenuEntry> MemoryMenuEntries();
std::vector<MenuEntry> CounterMenuEntries();
// The last entries of the program menu, whatever the catalogue puts above them.
std::vector<MenuEntry> ProgramMenuTail();

} // namespace bar_probe
