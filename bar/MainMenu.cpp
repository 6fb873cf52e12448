#include "bar/MainMenu.h"

#include "bar/BarIds.h"

namespace bar {

namespace m = bar_ids::menu;

namespace {

ui::MenuItem Disabled(ui::MenuItem item)
{
    item.enabled = false;
    return item;
}

} // namespace

ui::MenuItem BuildMainMenu(BarCommands& commands, ui::MenuItem programs)
{
    BarCommands* c = &commands;
    ui::MenuItem about = ui::MenuEntry(m::MABOUT, "about...");
    about.shortcut = "F1";
    ui::MenuItem quit = ui::MenuEntry(m::MSHUT, "quit");
    quit.items = {
        ui::MenuEntry(m::MQ, "quit", [c] { c->Quit(); }),
        ui::MenuEntry(m::MST_0 + 0, "log off", [c] { c->EndSession(PowerAction::LogOff); }),
        ui::MenuEntry(m::MST_0 + 1, "restart", [c] { c->EndSession(PowerAction::Restart); }),
        ui::MenuEntry(m::MST_0 + 2, "shut down", [c] { c->EndSession(PowerAction::ShutDown); }),
    };
    ui::MenuItem main = ui::MenuEntry(m::MSETTS, "O");
    main.items = {
        about,
        ui::MenuSeparator(m::MA3),
        std::move(programs),
        ui::MenuSeparator(m::MSTX),
        ui::MenuEntry(m::MTASKSHOW, "show tasks", [c] { c->ShowTaskManager(); }),
        ui::MenuEntry(m::MFREEMEM, "free up memory", [c] { c->FreeUpMemory(); }),
        ui::MenuEntry(m::MIMODE, "sleep mode"),
        ui::MenuSeparator(m::MA1),
        ui::MenuEntry(m::MSETS, "settings", [c] { c->PopupSettings(-1); }),
        Disabled(ui::MenuEntry(m::MSTCONTROLPANEL, "control panel")),
        Disabled(ui::MenuEntry(m::MFULLHEIGHT, "full height")),
        ui::MenuSeparator(m::MST3),
        quit,
    };
    return main;
}

} // namespace bar
