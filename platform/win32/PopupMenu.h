#pragma once
// Builds a real popup menu from the menu data for one showing and maps its commands back.
#include "platform/Toolkit.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <vector>

namespace platform::win32 {

class PopupMenu {
public:
    // The visible items of `root` (not root itself); the entry whose id is defaultItem is bold,
    // in whichever submenu it sits.
    PopupMenu(const ui::MenuItem& root, ui::MenuId defaultItem);

    HMENU handle() const { return menu_.get(); }
    // The entry behind a command returned by the menu; 0 for anything else.
    ui::MenuId idOfCommand(UINT command) const;

    // Shows the menu at the mouse on behalf of `owner` and waits for the choice; 0 when dismissed.
    ui::MenuId track(HWND owner) const;

    // This real menu shows exactly what `root` describes now, so it can be shown again as it is.
    bool matches(const ui::MenuItem& root, ui::MenuId defaultItem) const;

private:
    // What one shown entry looked like when the menu was built, in the order they were added.
    struct Shown {
        ui::MenuId id;
        std::string caption, shortcut;
        bool separator, enabled, checked;
        std::size_t children; // shown entries directly below it
    };

    void append(HMENU menu, const std::vector<ui::MenuItem>& items, ui::MenuId defaultItem);
    bool matches(const std::vector<ui::MenuItem>& items, std::size_t& next) const;

    UniqueMenu menu_;
    // Command numbers run 1, 2, 3 ... so menu ids of any size fit the 16 bits a menu carries.
    std::vector<ui::MenuId> commands_;
    std::vector<Shown> shown_;
    ui::MenuId defaultItem_ = 0;
    bool complete_ = true; // false when entries past the command limit were left out
};

} // namespace platform::win32
