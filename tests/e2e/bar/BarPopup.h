#pragma once
// Opens one of the bar's popup menus as a user does, with a real click on a panel label, and
// picks an entry by its caption with the keyboard, as the menu's own loop reads it.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/BarMenus.h"

namespace bar_probe {

using MenuKeys = std::vector<WORD>;

// One level of the way to a menu entry: the entries of that menu as the probe knows them (its
// beginning down to the entry is enough) and the caption of the entry to take there.
struct MenuStep {
    std::vector<MenuEntry> entries;
    std::string caption;
};

// The keys that choose the entry at the end of `path` in a freshly opened menu (nothing selected
// yet): Down to each entry, Right into each submenu (which opens on its first entry), then Return.
// The arrow skips separators only, so greyed entries count. Empty when a caption is not there.
MenuKeys KeysTo(const std::vector<MenuStep>& path);
// The same for a menu known only by its last entries: Up from nothing selected reaches the last.
MenuKeys KeysFromEnd(const std::vector<MenuEntry>& tail, const std::string& caption);

// Entries of the main menu, and of its quit submenu.
MenuKeys MainMenuKeys(const std::string& caption);
MenuKeys QuitMenuKeys(const std::string& caption);

// Posts the keys to an open menu; false (and the menu is closed with Escape) when there are none,
// that is the entry was not found.
bool PostMenuKeys(HWND menu, const MenuKeys& keys);

class BarPopup {
public:
    explicit BarPopup(const RunningBar& running)
        : running_(running)
    {
    }

    // Clicks the bar's control `labelId` (with the right button when `right`) and waits for a
    // menu window of the bar's process; "" or what failed.
    std::string Open(int labelId, int timeoutMs = 5000, bool right = false);
    HWND window() const { return menu_; }
    // From the click to the menu window being there.
    unsigned long long openedAfterMs() const { return openedAfterMs_; }

    // Posts the keys to the open menu and waits until it has gone; "" or what failed.
    std::string Press(const MenuKeys& keys);
    std::string Choose(int labelId, const MenuKeys& keys, bool right = false);

private:
    const RunningBar& running_;
    HWND menu_ = nullptr;
    unsigned long long openedAfterMs_ = 0;
};

} // namespace bar_probe
