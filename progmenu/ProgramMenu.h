#pragma once
// The program menu MX: one submenu per category that has applications ("Games" holding the six
// game categories), the items of category 0 and the shortcuts directly in it, "shortcuts..." and
// "redetect". Built from the catalogue in its order, so element i of a category's array is that
// category's i-th entry.
#include "progmenu/MODULKnownTasks.h"
#include "platform/Widgets.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace progmenu {

// One shortcut as a top-level item of the program menu.
struct ShortcutItem {
    std::string caption;
    bool enabled = true;
    std::function<void()> action;
};

// The menu as it is before the first build: every category with one "[empty]" element.
ui::MenuItem ProgramMenuTree();

// How many items a category shows when the catalogue is larger than a menu can hold: the
// largest categories are cut to the same length, the last item then telling how many were left
// out. Counts within the budget stay whole.
std::array<std::size_t, 16> ShownItemCounts(const std::array<std::size_t, 16>& counts, std::size_t budget);

class ProgramMenu {
public:
    // Items of the whole menu a popup can carry alongside the rest of the main menu.
    static constexpr std::size_t kMaxItems = 65000;

    // mx is the "programs" entry made by ProgramMenuTree(), wherever it stands; it must outlive
    // this. start runs a command line; redetect reloads the catalogue and calls Build.
    ProgramMenu(
        ui::MenuItem& mx, std::function<void(int category, std::size_t index)> run, std::function<void()> redetect);

    // Shows exactly the categories with entries, each with one item per entry in catalogue order.
    void BuildProgramMenu(const std::vector<KnownTask>& catalogue);
    // Replaces the shortcut items, which follow category 0's (at most kShownShortcuts of them).
    void SetIcons(std::vector<ShortcutItem> shortcuts);

    const ui::MenuItem& menu() const { return mx_; }
    ui::MenuItem& menu() { return mx_; }

private:
    std::vector<ui::MenuItem>& elementsOf(int category);
    void resize(int category, std::size_t count);

    ui::MenuItem& mx_;
    std::function<void(int, std::size_t)> run_;
    std::size_t shortcuts_ = 0;
};

// The command of the index-th entry of a category, or null when the category has no such entry.
const std::string* CommandOf(const std::vector<KnownTask>& catalogue, int category, std::size_t index);

} // namespace progmenu
