#include "tray/TrayCallback.h"

namespace tray {

namespace {

void Add(Callbacks& out, const TrayIcon& icon, std::uint32_t event, int x, int y)
{
    PostedMessage& m = out.messages[out.count++];
    m.message = icon.callbackMessage;
    if (icon.version >= 4) {
        m.wParam = (static_cast<std::uint32_t>(x) & 0xFFFF) | ((static_cast<std::uint32_t>(y) & 0xFFFF) << 16);
        m.lParam = static_cast<std::intptr_t>((event & 0xFFFF) | ((icon.id & 0xFFFF) << 16));
    } else {
        m.wParam = icon.id;
        m.lParam = static_cast<std::intptr_t>(event);
    }
}

} // namespace

Callbacks ForMouse(const TrayIcon& icon, std::uint32_t mouseMessage, int x, int y)
{
    Callbacks out;
    if (icon.callbackMessage == 0)
        return out;
    Add(out, icon, mouseMessage, x, y);
    if (icon.version >= 3 && mouseMessage == kLeftUp)
        Add(out, icon, kSelect, x, y);
    else if (icon.version >= 3 && mouseMessage == kRightUp)
        Add(out, icon, kContextMenu, x, y);
    return out;
}

Callbacks ForKey(const TrayIcon& icon, bool contextMenu, int x, int y)
{
    Callbacks out;
    if (icon.callbackMessage == 0)
        return out;
    if (icon.version >= 3) {
        Add(out, icon, contextMenu ? kContextMenu : kKeySelect, x, y);
        return out;
    }
    // Older programs know only the mouse: a click of the button the key stands for.
    Add(out, icon, contextMenu ? kRightDown : kLeftDown, x, y);
    Add(out, icon, contextMenu ? kRightUp : kLeftUp, x, y);
    return out;
}

} // namespace tray
