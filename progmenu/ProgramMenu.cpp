#include "progmenu/ProgramMenu.h"

#include "progmenu/ProgramMenuIds.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace progmenu {

namespace m = progmenu_ids;

namespace {

constexpr const char* kEmptyCaption = "[empty]";

// The submenu of each category 1 to 15 (category 0 stands in MX itself).
constexpr std::array<int, 16> kCategoryMenus = {0, m::SM1X, m::SM2X, m::SM3X, m::SM4X, m::SM5X, m::SM6X, m::SM7X,
    m::SM8X, m::SM9X, m::SMAX, m::SMBX, m::SMCX, m::SMDX, m::SMEX, m::SMFX};

ui::MenuItem Item(ui::MenuId id, const char* caption, std::vector<ui::MenuItem> items = {})
{
    ui::MenuItem item = ui::MenuEntry(id, caption);
    item.items = std::move(items);
    return item;
}

ui::MenuItem Separator(ui::MenuId id)
{
    return ui::MenuSeparator(id);
}

ui::MenuItem Category(ui::MenuId id, const char* caption, int category)
{
    return Item(id, caption, {Item(m::SM_BASE(category), kEmptyCaption)});
}

ui::MenuItem& Find(ui::MenuItem& root, ui::MenuId id)
{
    // Every id asked for is one of the tree's own.
    return *ui::FindMenuItem(root, id);
}

// Where category 0's run of elements starts in MX.
std::size_t TopLevelStart(const ui::MenuItem& mx)
{
    const auto at = std::find_if(
        mx.items.begin(), mx.items.end(), [](const ui::MenuItem& item) { return item.id == m::SM_BASE(0); });
    return static_cast<std::size_t>(at - mx.items.begin());
}

std::size_t TopLevelCount(const ui::MenuItem& mx, std::size_t start)
{
    std::size_t n = 0;
    while (start + n < mx.items.size() && mx.items[start + n].id >= m::SM_BASE(0) &&
        mx.items[start + n].id < m::SM_BASE(1))
        ++n;
    return n;
}

std::string LeftOutCaption(std::size_t count)
{
    return "(" + std::to_string(count) + " more not shown)";
}

} // namespace

ui::MenuItem ProgramMenuTree()
{
    return Item(m::MX, "programs",
        {
            Category(m::SM1X, "MPlayer", 1),
            Category(m::SM2X, "Browser", 2),
            Category(m::SM3X, "Office", 3),
            Category(m::SM4X, "Tracker", 4),
            Separator(m::PARTER1),
            Item(m::SMXX, "Games",
                {
                    Category(m::SMAX, "Adventure", 10),
                    Category(m::SMBX, "Strategy", 11),
                    Category(m::SMCX, "Scroller", 12),
                    Category(m::SMDX, "Sport", 13),
                    Category(m::SMEX, "Shooter", 14),
                    Category(m::SMFX, "Other", 15),
                }),
            Separator(m::PARTER4),
            Category(m::SM5X, "File", 5),
            Category(m::SM6X, "Sharing", 6),
            Category(m::SM7X, "CDRomRec", 7),
            Category(m::SM8X, "System", 8),
            Category(m::SM9X, "Other", 9),
            Separator(m::PARTER2),
            Item(m::SM_BASE(0), kEmptyCaption),
            Separator(m::PARTER3),
            Item(m::MTK, "shortcuts..."),
            Item(m::MX2, "redetect"),
        });
}

std::array<std::size_t, 16> ShownItemCounts(const std::array<std::size_t, 16>& counts, std::size_t budget)
{
    const auto total = [&counts](std::size_t cap) {
        std::size_t sum = 0;
        for (std::size_t c : counts)
            sum += std::min(c, cap);
        return sum;
    };
    std::size_t largest = 0;
    for (std::size_t c : counts)
        largest = std::max(largest, c);
    if (total(largest) <= budget)
        return counts;
    // The longest length every category may keep within the budget (at least one item each).
    std::size_t low = 1, high = largest;
    while (low < high) {
        const std::size_t mid = low + (high - low + 1) / 2;
        if (total(mid) <= budget)
            low = mid;
        else
            high = mid - 1;
    }
    std::array<std::size_t, 16> shown {};
    for (std::size_t k = 0; k < counts.size(); ++k)
        shown[k] = std::min(counts[k], low);
    return shown;
}

ProgramMenu::ProgramMenu(
    ui::MenuItem& mx, std::function<void(int category, std::size_t index)> run, std::function<void()> redetect)
    : mx_(mx)
    , run_(std::move(run))
{
    Find(mx_, m::MX2).action = std::move(redetect);
    // Before the first build the "[empty]" elements start nothing: the catalogue is empty.
}

std::vector<ui::MenuItem>& ProgramMenu::elementsOf(int category)
{
    return Find(mx_, kCategoryMenus[category]).items;
}

void ProgramMenu::resize(int category, std::size_t count)
{
    const auto element = [category](std::size_t index) {
        ui::MenuItem item;
        item.id = m::SM_BASE(category) + static_cast<int>(index);
        return item;
    };
    if (category == 0) {
        const std::size_t start = TopLevelStart(mx_);
        const std::size_t n = TopLevelCount(mx_, start);
        const auto first = mx_.items.begin() + static_cast<std::ptrdiff_t>(start);
        if (count < n)
            mx_.items.erase(first + static_cast<std::ptrdiff_t>(count), first + static_cast<std::ptrdiff_t>(n));
        for (std::size_t i = n; i < count; ++i)
            mx_.items.insert(mx_.items.begin() + static_cast<std::ptrdiff_t>(start + i), element(i));
        return;
    }
    std::vector<ui::MenuItem>& items = elementsOf(category);
    if (count < items.size())
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(count), items.end());
    items.reserve(count);
    for (std::size_t i = items.size(); i < count; ++i)
        items.push_back(element(i));
}

void ProgramMenu::BuildProgramMenu(const std::vector<KnownTask>& catalogue)
{
    std::array<std::size_t, 16> counts {};
    for (const KnownTask& entry : catalogue)
        ++counts[static_cast<std::size_t>(entry.category)];
    const auto c = [&counts](int k) { return counts[static_cast<std::size_t>(k)]; };

    Find(mx_, m::PARTER1).visible = c(1) + c(2) + c(3) + c(4) > 0;
    Find(mx_, m::PARTER2).visible = c(5) + c(6) + c(7) + c(8) + c(9) > 0;
    Find(mx_, m::PARTER3).visible = c(0) > 0 || shortcuts_ > 0;
    const std::size_t games = c(10) + c(11) + c(12) + c(13) + c(14) + c(15);
    Find(mx_, m::SMXX).visible = games > 0;
    Find(mx_, m::SMFX).visible = games == 0 || c(15) > 0;
    Find(mx_, m::PARTER4).visible = games > 0;

    const std::array<std::size_t, 16> shown = ShownItemCounts(counts, kMaxItems);
    for (int k = 0; k < 16; ++k) {
        if (k >= 1 && k <= 14)
            Find(mx_, kCategoryMenus[static_cast<std::size_t>(k)]).visible = c(k) > 0;
        if (c(k) > 0)
            resize(k, shown[static_cast<std::size_t>(k)]);
        else if (k == 0)
            resize(0, 1);
    }
    if (c(0) == 0) {
        // Category 0 keeps its element 0, out of sight, so that no top-level program item shows.
        ui::MenuItem& first = Find(mx_, m::SM_BASE(0));
        first.visible = false;
    }

    // Captions and actions in catalogue order; a cut category's last item says what it left out.
    std::array<ui::MenuItem*, 16> elements {};
    elements[0] = &mx_.items[TopLevelStart(mx_)];
    for (int k = 1; k < 16; ++k)
        elements[static_cast<std::size_t>(k)] = elementsOf(k).data();
    std::array<std::size_t, 16> next {};
    for (const KnownTask& entry : catalogue) {
        const auto k = static_cast<std::size_t>(entry.category);
        const std::size_t i = next[k]++;
        if (i >= shown[k])
            continue;
        ui::MenuItem& item = elements[k][i];
        item.visible = true;
        const bool note = shown[k] < counts[k] && i == shown[k] - 1;
        item.enabled = !note;
        item.caption = note ? LeftOutCaption(counts[k] - shown[k] + 1) : entry.label;
        if (note)
            item.action = nullptr;
        else
            item.action = [this, category = entry.category, index = static_cast<std::uint32_t>(i)] {
                run_(category, index);
            };
    }
}

void ProgramMenu::SetIcons(std::vector<ShortcutItem> shortcuts)
{
    const auto isShortcut = [](const ui::MenuItem& item) { return item.id >= m::SK_BASE && item.id <= m::SK_LAST; };
    mx_.items.erase(std::remove_if(mx_.items.begin(), mx_.items.end(), isShortcut), mx_.items.end());
    if (shortcuts.size() > static_cast<std::size_t>(m::kShownShortcuts))
        shortcuts.resize(static_cast<std::size_t>(m::kShownShortcuts));
    shortcuts_ = shortcuts.size();

    const std::size_t start = TopLevelStart(mx_);
    const auto at = mx_.items.begin() + static_cast<std::ptrdiff_t>(start + TopLevelCount(mx_, start));
    std::vector<ui::MenuItem> items;
    items.reserve(shortcuts.size());
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        ui::MenuItem item = ui::MenuEntry(
            m::SK_BASE + static_cast<int>(i), std::move(shortcuts[i].caption), std::move(shortcuts[i].action));
        item.enabled = shortcuts[i].enabled;
        items.push_back(std::move(item));
    }
    mx_.items.insert(at, std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));

    // The separator under the top-level items shows while any of them does.
    const ui::MenuItem& first = Find(mx_, m::SM_BASE(0));
    Find(mx_, m::PARTER3).visible = first.visible || shortcuts_ > 0;
}

const std::string* CommandOf(const std::vector<KnownTask>& catalogue, int category, std::size_t index)
{
    std::size_t m = 0;
    for (const KnownTask& entry : catalogue) {
        if (entry.category != category)
            continue;
        if (m == index)
            return &entry.command;
        ++m;
    }
    return nullptr;
}

} // namespace progmenu
