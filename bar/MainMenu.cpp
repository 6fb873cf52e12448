#include "bar/MainMenu.h"

#include "bar/ControlIds.h"

namespace bar {

namespace m = bar_ids::menu;

namespace {

ui::MenuItem Item(ui::MenuId id, const char* caption, std::function<void()> action = {})
{
    ui::MenuItem item;
    item.id = id;
    item.caption = caption;
    item.action = std::move(action);
    return item;
}

ui::MenuItem Separator(ui::MenuId id)
{
    ui::MenuItem item = Item(id, "-");
    item.separator = true;
    return item;
}

ui::MenuItem Disabled(ui::MenuItem item)
{
    item.enabled = false;
    return item;
}

} // namespace

ui::MenuItem BuildMainMenu(BarCommands& commands, ui::MenuItem programs)
{
    BarCommands* c = &commands;
    ui::MenuItem about = Item(m::MABOUT, "about...", [c] { c->ShowAbout(); });
    about.shortcut = "F1";
    ui::MenuItem quit = Item(m::MSHUT, "quit");
    quit.items = {
        Item(m::MQ, "quit", [c] { c->Quit(); }),
        Item(m::MST_0 + 0, "log off", [c] { c->EndSession(PowerAction::LogOff); }),
        Item(m::MST_0 + 1, "restart", [c] { c->EndSession(PowerAction::Restart); }),
        Item(m::MST_0 + 2, "shut down", [c] { c->EndSession(PowerAction::ShutDown); }),
    };
    ui::MenuItem main = Item(m::MSETTS, "O");
    main.items = {
        about,
        Separator(m::MA3),
        std::move(programs),
        Separator(m::MSTX),
        Item(m::MTASKSHOW, "show tasks", [c] { c->ShowTaskManager(); }),
        Item(m::MFREEMEM, "free up memory", [c] { c->FreeUpMemory(); }),
        Item(m::MIMODE, "sleep mode", [c] { c->SetSleeping(!c->sleeping()); }),
        Separator(m::MA1),
        Item(m::MSETS, "settings", [c] { c->PopupSettings(-1); }),
        Disabled(Item(m::MSTCONTROLPANEL, "control panel")),
        Disabled(Item(m::MFULLHEIGHT, "full height")),
        Separator(m::MST3),
        quit,
    };
    return main;
}

} // namespace bar
