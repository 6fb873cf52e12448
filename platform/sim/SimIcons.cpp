#include "platform/sim/SimIcons.h"

#include <algorithm>

namespace sim {

IconHandle SimIcons::makeProgramIcon()
{
    icons_.push_back({});
    return kFirst + icons_.size() - 1;
}

const SimIcons::Icon* SimIcons::find(IconHandle icon) const
{
    if (icon < kFirst || icon - kFirst >= icons_.size())
        return nullptr;
    return &icons_[icon - kFirst];
}

void SimIcons::destroyProgramIcon(IconHandle icon)
{
    if (const Icon* found = find(icon); found && !found->copy)
        icons_[icon - kFirst].alive = false;
}

IconHandle SimIcons::copy(IconHandle icon, int size)
{
    if (!alive(icon) || unreadable.count(icon))
        return 0;
    ++copiesMade;
    icons_.push_back({true, true, icon, size});
    return kFirst + icons_.size() - 1;
}

IconHandle SimIcons::make(int size)
{
    ++copiesMade;
    icons_.push_back({true, true, 0, size});
    return kFirst + icons_.size() - 1;
}

void SimIcons::destroy(IconHandle copy)
{
    const Icon* found = find(copy);
    if (!found || !found->copy || !found->alive) {
        ++wrongFrees;
        return;
    }
    icons_[copy - kFirst].alive = false;
}

bool SimIcons::alive(IconHandle icon) const
{
    const Icon* found = find(icon);
    return found && found->alive;
}

IconHandle SimIcons::sourceOf(IconHandle copy) const
{
    const Icon* found = find(copy);
    return found && found->copy && found->alive ? found->source : 0;
}

int SimIcons::sizeOf(IconHandle copy) const
{
    const Icon* found = find(copy);
    return found ? found->size : 0;
}

std::size_t SimIcons::liveCopies() const
{
    return static_cast<std::size_t>(
        std::count_if(icons_.begin(), icons_.end(), [](const Icon& i) { return i.copy && i.alive; }));
}

} // namespace sim
