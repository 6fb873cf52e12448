#include "tests/e2e/bar/BarMenus.h"

namespace bar_probe {

std::vector<MenuEntry> MainMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"about...\tF1", K::Normal}, {"", K::Separator}, {"programs", K::Submenu}, {"", K::Separator},
        {"show tasks", K::Normal}, {"free up memory", K::Normal}, {"sleep mode", K::Normal}, {"", K::Separator},
        {"settings", K::Normal}, {"control panel", K::Disabled}, {"full height", K::Disabled}, {"", K::Separator},
        {"quit", K::Submenu}};
}

std::vector<MenuEntry> QuitMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"quit", K::Normal}, {"log off", K::Normal}, {"restart", K::Normal}, {"shut down", K::Normal}};
}

std::vector<MenuEntry> TaskMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"restore", K::Normal}, {"move", K::Disabled}, {"size", K::Disabled}, {"minimize", K::Normal},
        {"maximixe", K::Normal}, {"", K::Separator}, {"advanced", K::Submenu}, {"", K::Separator},
        {"close", K::Normal}};
}

std::vector<MenuEntry> AdvancedMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"standard", K::Normal}, {"always on top", K::Normal}, {"", K::Separator}, {"hide", K::Normal},
        {"", K::Separator}, {"terminate", K::Normal}};
}

std::vector<MenuEntry> MemoryMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"free up memory", K::Normal}, {"settings", K::Normal}};
}

std::vector<MenuEntry> CounterMenuEntries()
{
    using K = MenuEntry::Kind;
    return {{"show tasks", K::Normal}, {"settings", K::Normal}};
}

std::vector<MenuEntry> ProgramMenuTail()
{
    using K = MenuEntry::Kind;
    return {{"shortcuts...", K::Normal}, {"redetect", K::Normal}};
}

} // namespace bar_probe
