#pragma once
// Opens one of the bar's popup menus as a user does, with a real click on a panel label, and
// picks an entry with the keyboard, as the menu's own loop reads it.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/e2e/bar/LaunchBar.h"

namespace bar_probe {

// Keys for a freshly opened menu (nothing selected yet): `n` times Down, then `then`. The arrow
// skips separators only, so greyed entries count.
using MenuKeys = std::vector<WORD>;
MenuKeys KeysDown(int n, std::initializer_list<WORD> then = {VK_RETURN});

// The main menu's entries as the arrow keys count them, and the quit submenu's.
namespace main_menu {
constexpr int kAbout = 1;
constexpr int kShowTasks = 3;
constexpr int kSleepMode = 5;
// The last entry, "quit", is one Up away; Right opens it with "quit" selected.
const MenuKeys kQuit = {VK_UP, VK_RIGHT, VK_RETURN};
const MenuKeys kLogOff = {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN};
} // namespace main_menu

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
