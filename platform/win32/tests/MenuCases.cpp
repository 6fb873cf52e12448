// Popup menus: the real menu built from the data, the default entry, and the choice mapped back.
#include "platform/win32/PopupMenu.h"
#include "platform/win32/tests/SelfTest.h"
#include "platform/win32/tests/Support.h"

using namespace selftest;

namespace {

ui::MenuItem item(ui::MenuId id, const std::string& caption)
{
    ui::MenuItem entry;
    entry.id = id;
    entry.caption = caption;
    return entry;
}

ui::MenuItem separator()
{
    ui::MenuItem entry = item(0, "-");
    entry.separator = true;
    return entry;
}

ui::MenuItem mainMenu()
{
    ui::MenuItem about = item(0x300001, "about...");
    about.shortcut = "F1";
    ui::MenuItem programs = item(0x300002, "programs");
    ui::MenuItem hidden = item(99, "hidden");
    hidden.visible = false;
    programs.items = {item(0x400000, "[empty]"), item(0x400001, "deep default"), hidden};
    ui::MenuItem disabled = item(7, "control panel");
    disabled.enabled = false;
    ui::MenuItem checked = item(8, "full height");
    checked.checked = true;
    ui::MenuItem invisible = item(9, "invisible");
    invisible.visible = false;
    ui::MenuItem root;
    // Program labels are shown as they are: "&" is no mnemonic, "-" and "" are items.
    root.items = {about, separator(), programs, separator(), disabled, checked, invisible, item(10, "R&D"),
        item(11, "-"), item(12, "")};
    return root;
}

std::string menuText(HMENU menu, UINT position)
{
    char text[128] = {};
    const int length = GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace

SELFTEST(PopupMenuIsBuiltFromTheVisibleItemsWithTheDefaultInItsSubmenu)
{
    const platform::win32::PopupMenu popup(mainMenu(), 0x400001);
    const HMENU menu = popup.handle();
    CHECK(menu != nullptr);
    CHECK_EQ(GetMenuItemCount(menu), 9);
    CHECK_EQ(menuText(menu, 0), std::string("about...\tF1"));
    CHECK((GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR) != 0);
    CHECK_EQ(menuText(menu, 2), std::string("programs"));
    CHECK((GetMenuState(menu, 4, MF_BYPOSITION) & MF_GRAYED) != 0);
    CHECK((GetMenuState(menu, 5, MF_BYPOSITION) & MF_CHECKED) != 0);
    CHECK((GetMenuState(menu, 0, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED)) == 0);
    CHECK_EQ(menuText(menu, 6), std::string("R&&D"));
    for (UINT position : {7u, 8u})
        CHECK((GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) == 0);
    CHECK_EQ(menuText(menu, 7), std::string("-"));
    CHECK_EQ(popup.idOfCommand(GetMenuItemID(menu, 8)), 12);

    // The same data again is the same menu; any change to what shows is not.
    ui::MenuItem data = mainMenu();
    CHECK(popup.matches(data, 0x400001));
    CHECK(!popup.matches(data, 0));
    data.items[6].visible = true;
    CHECK(!popup.matches(data, 0x400001));
    data = mainMenu();
    data.items[2].items[1].caption = "renamed";
    CHECK(!popup.matches(data, 0x400001));
    data = mainMenu();
    data.items[2].items[2].checked = true; // hidden: changes nothing shown
    CHECK(popup.matches(data, 0x400001));

    const HMENU programs = GetSubMenu(menu, 2);
    CHECK(programs != nullptr);
    CHECK_EQ(GetMenuItemCount(programs), 2);
    CHECK_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    CHECK_EQ(popup.idOfCommand(GetMenuDefaultItem(programs, FALSE, 0)), 0x400001);

    CHECK_EQ(popup.idOfCommand(GetMenuItemID(menu, 0)), 0x300001);
    CHECK_EQ(popup.idOfCommand(GetMenuItemID(programs, 0)), 0x400000);
    CHECK_EQ(popup.idOfCommand(0), 0);
    CHECK_EQ(popup.idOfCommand(1000), 0);
}

SELFTEST(PopupMenuReturnsTheChosenEntryOrNothingWhenDismissed)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Menus"), events);
    toolkit.showForm(form, true);
    const HWND window = toHwnd(toolkit.formWindow(form));
    SetCursorPos(200, 200);

    // Keys waiting in the queue are read by the menu's own loop once it is up.
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    CHECK_EQ(toolkit.popupMenu(form, mainMenu(), 0x400001), 0x300001);

    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    CHECK_EQ(toolkit.popupMenu(form, mainMenu(), 0), 0x400001);

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK_EQ(toolkit.popupMenu(form, mainMenu(), 0x300001), 0);
}
