#include "bar/BarMenus.h"

#include "bar/ControlIds.h"

namespace bar {

namespace m = bar_ids::menu;

namespace {

ui::MenuItem Item(ui::MenuId id, const char* caption, std::vector<ui::MenuItem> items = {})
{
    ui::MenuItem item;
    item.id = id;
    item.caption = caption;
    item.items = std::move(items);
    return item;
}

ui::MenuItem Disabled(ui::MenuItem item)
{
    item.enabled = false;
    return item;
}

// A program category: its array starts with one "[empty]" element until the menu is built.
ui::MenuItem Category(ui::MenuId id, const char* caption, int category)
{
    return Item(id, caption, {Item(m::SM_BASE(category), "[empty]")});
}

ui::MenuItem ProgramMenu()
{
    return Item(m::MX, "programs",
        {
            Category(m::SM1X, "MPlayer", 1),
            Category(m::SM2X, "Browser", 2),
            Category(m::SM3X, "Office", 3),
            Category(m::SM4X, "Tracker", 4),
            Item(m::PARTER1, "-"),
            Item(m::SMXX, "Games",
                {
                    Category(m::SMAX, "Adventure", 10),
                    Category(m::SMBX, "Strategy", 11),
                    Category(m::SMCX, "Scroller", 12),
                    Category(m::SMDX, "Sport", 13),
                    Category(m::SMEX, "Shooter", 14),
                    Category(m::SMFX, "Other", 15),
                }),
            Item(m::PARTER4, "-"),
            Category(m::SM5X, "File", 5),
            Category(m::SM6X, "Sharing", 6),
            Category(m::SM7X, "CDRomRec", 7),
            Category(m::SM8X, "System", 8),
            Category(m::SM9X, "Other", 9),
            Item(m::PARTER2, "-"),
            Item(m::SM_BASE(0), "[empty]"),
            Item(m::PARTER3, "-"),
            Item(m::MX2, "redetect"),
        });
}

} // namespace

ui::MenuItem BuildMainMenu()
{
    ui::MenuItem about = Item(m::MABOUT, "about...");
    about.shortcut = "F1";
    ui::MenuItem fullHeight = Disabled(Item(m::MFULLHEIGHT, "full height"));
    return Item(m::MSETTS, "O",
        {
            about,
            Item(m::MA3, "-"),
            ProgramMenu(),
            Item(m::MSTX, "-"),
            Item(m::MTASKSHOW, "show tasks"),
            Item(m::MFREEMEM, "free up memory"),
            Item(m::MIMODE, "sleep mode"),
            Item(m::MA1, "-"),
            Item(m::MSETS, "settings"),
            Disabled(Item(m::MSTCONTROLPANEL, "control panel")),
            fullHeight,
            Item(m::MST3, "-"),
            Item(m::MSHUT, "quit",
                {
                    Item(m::MQ, "quit"),
                    Item(m::MST_0 + 0, "log off"),
                    Item(m::MST_0 + 1, "restart"),
                    Item(m::MST_0 + 2, "shut down"),
                }),
        });
}

} // namespace bar
