#include "platform/win32/PopupMenu.h"
#include "win32kit/MessagePump.h"

#include <string>

namespace platform::win32 {

namespace {

// Menu commands travel in 16 bits; entries past that many could not be told apart.
constexpr std::size_t kMaxCommands = 0xFFFF;

// The text a menu shows for a caption: "&" stands for itself, not for a mnemonic, and an empty
// caption stays an (empty) item instead of looking like a divider.
std::string MenuText(const ui::MenuItem& item)
{
    std::string text;
    text.reserve(item.caption.size() + item.shortcut.size() + 2);
    for (char c : item.caption) {
        if (c == '&')
            text += '&';
        text += c;
    }
    if (text.empty())
        text = " ";
    if (!item.shortcut.empty())
        text += "\t" + item.shortcut;
    return text;
}

std::size_t VisibleCount(const std::vector<ui::MenuItem>& items)
{
    std::size_t n = 0;
    for (const ui::MenuItem& item : items)
        n += item.visible ? 1 : 0;
    return n;
}

} // namespace

PopupMenu::PopupMenu(const ui::MenuItem& root, ui::MenuId defaultItem)
    : menu_(CreatePopupMenu())
    , defaultItem_(defaultItem)
{
    if (menu_)
        append(menu_.get(), root.items, defaultItem);
}

void PopupMenu::append(HMENU menu, const std::vector<ui::MenuItem>& items, ui::MenuId defaultItem)
{
    for (const ui::MenuItem& item : items) {
        if (!item.visible)
            continue;
        if (commands_.size() >= kMaxCommands) {
            complete_ = false;
            return;
        }
        shown_.push_back({item.id, item.caption, item.shortcut, item.isSeparator(), item.enabled, item.checked,
            item.isSeparator() ? 0 : VisibleCount(item.items)});

        MENUITEMINFOA info {};
        info.cbSize = sizeof info;
        const UINT position = static_cast<UINT>(GetMenuItemCount(menu));
        if (item.isSeparator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemA(menu, position, TRUE, &info);
            continue;
        }

        commands_.push_back(item.id);
        const UINT command = static_cast<UINT>(commands_.size());
        std::string text = MenuText(item);

        UniqueMenu submenu;
        if (!item.items.empty()) {
            submenu.reset(CreatePopupMenu());
            if (submenu)
                append(submenu.get(), item.items, defaultItem);
        }

        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID | (submenu ? MIIM_SUBMENU : 0u);
        info.fType = MFT_STRING;
        info.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.checked ? MFS_CHECKED : MFS_UNCHECKED);
        info.wID = command;
        info.hSubMenu = submenu.get();
        info.dwTypeData = &text[0];
        info.cch = static_cast<UINT>(text.size());
        if (InsertMenuItemA(menu, position, TRUE, &info))
            submenu.release(); // the parent menu destroys its submenus
        if (defaultItem != 0 && item.id == defaultItem)
            SetMenuDefaultItem(menu, command, FALSE);
    }
}

bool PopupMenu::matches(const ui::MenuItem& root, ui::MenuId defaultItem) const
{
    if (!menu_ || !complete_ || defaultItem != defaultItem_)
        return false;
    std::size_t next = 0;
    return matches(root.items, next) && next == shown_.size();
}

bool PopupMenu::matches(const std::vector<ui::MenuItem>& items, std::size_t& next) const
{
    for (const ui::MenuItem& item : items) {
        if (!item.visible)
            continue;
        if (next >= shown_.size())
            return false;
        const Shown& was = shown_[next++];
        if (was.id != item.id || was.separator != item.isSeparator() || was.enabled != item.enabled ||
            was.checked != item.checked || was.caption != item.caption || was.shortcut != item.shortcut)
            return false;
        if (was.separator)
            continue;
        if (was.children != VisibleCount(item.items) || !matches(item.items, next))
            return false;
    }
    return true;
}

ui::MenuId PopupMenu::idOfCommand(UINT command) const
{
    if (command == 0 || command > commands_.size())
        return 0;
    return commands_[command - 1];
}

ui::MenuId PopupMenu::track(HWND owner) const
{
    if (!menu_ || !IsWindow(owner))
        return 0;
    POINT at {};
    GetCursorPos(&at);
    // The owner must be in front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const win32kit::MenuLoopScope menuLoop;
    const BOOL command = TrackPopupMenuEx(
        menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return command > 0 ? idOfCommand(static_cast<UINT>(command)) : 0;
}

} // namespace platform::win32
