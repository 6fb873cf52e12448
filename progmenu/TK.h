#pragma once
// The shortcut window "Shortcut Icons": the categories, the shortcut list, and "Add", "Edit",
// "Remove" and "Close". It edits the bar's shortcut list, which saves itself. Its handlers open
// dialogs and menus that let other messages run, so it can be closed from inside one of them: it
// then only destroys its platform window and leaves freeing this object to its owner once no
// handler of it runs.
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"
#include "progmenu/ShortcutList.h"

#include <functional>
#include <string>
#include <vector>

namespace progmenu {

class TK final {
public:
    // Created hidden, owned by ownerWindow. categories are the category list's entries after its
    // empty first one; listChanged runs after every change the window makes to the list.
    TK(platform::Platform& platform, platform::WindowHandle ownerWindow, ShortcutList& list,
        const std::vector<std::string>& categories, std::function<void()> listChanged,
        std::function<void()> onReleasable);
    TK(const TK&) = delete;
    TK& operator=(const TK&) = delete;

    // Shows the window and makes it the foreground window.
    void BringToFront();
    // Shows the list again after it was read anew from its file.
    void ListReread();

    const ui::WindowLifetime& lifetime() const { return lifetime_; }
    bool unloaded() const { return lifetime_.unloaded(); }
    ui::FormId formId() const { return form_.id(); }
    const std::vector<std::string>& categories() const { return BW.items(); }

private:
    void CategoryReleased(ui::MouseButton button);
    void RenameCategory();
    void AddShortcut();
    void EditShortcut();
    void RemoveShortcut();
    // Shows the list again, with this item selected (-1 for none).
    void ShowShortcuts(int selected);
    // The selected shortcut's index, or false when none is.
    bool SelectedShortcut(std::size_t& index) const;
    void Changed(int selected);
    // The caption says whether the last change is saved.
    void ShowSaveNote();
    void Unload();

    ui::Toolkit& toolkit_;
    platform::Files& files_;
    ShortcutList& list_;
    std::function<void()> listChanged_;
    ui::WindowLifetime lifetime_;
    ui::Form form_;
    ui::Control BW;    // list box: the categories
    ui::Control TSK;   // list box: one text per shortcut
    ui::Control MADD;  // button "Add"
    ui::Control MEDIT; // button "Edit"
    ui::Control MDEL;  // button "Remove"
    ui::Control MQIT;  // button "Close"
    ui::MenuItem M0;   // popup menu over BW, holding M1 "Rename"
};

} // namespace progmenu
