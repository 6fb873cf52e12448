#pragma once
// What a click or key on an icon posts to its program, in the form the program asked for when
// it set its version: below 4 the icon's id and the mouse message; at 4 the mouse position and
// the message with the id. From version 3 on, a left click is followed by NIN_SELECT and a right
// click by WM_CONTEXTMENU; from the keyboard, NIN_KEYSELECT and WM_CONTEXTMENU.
#include "tray/TrayIcons.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tray {

constexpr std::uint32_t kMouseMove = 0x0200;
constexpr std::uint32_t kLeftDown = 0x0201;
constexpr std::uint32_t kLeftUp = 0x0202;
constexpr std::uint32_t kLeftDoubleClick = 0x0203;
constexpr std::uint32_t kRightDown = 0x0204;
constexpr std::uint32_t kRightUp = 0x0205;
constexpr std::uint32_t kRightDoubleClick = 0x0206;
constexpr std::uint32_t kContextMenu = 0x007B;
constexpr std::uint32_t kSelect = 0x0400;    // NIN_SELECT
constexpr std::uint32_t kKeySelect = 0x0401; // NIN_KEYSELECT

struct PostedMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// At most the mouse message and what follows it.
struct Callbacks {
    std::array<PostedMessage, 3> messages {};
    std::size_t count = 0;
};

// A mouse message (kLeftDown ...) on the icon, the mouse at x, y on the screen. None when the
// icon has no callback message.
Callbacks ForMouse(const TrayIcon& icon, std::uint32_t mouseMessage, int x, int y);
// Enter or Space (select), or the context-menu key, on the icon, which stands at x, y.
Callbacks ForKey(const TrayIcon& icon, bool contextMenu, int x, int y);

} // namespace tray
