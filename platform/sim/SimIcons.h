#pragma once
// Icons of the simulated desktop: those its windows' programs own, and the copies the bar makes,
// with a count of every free the bar had no right to make.
#include "platform/Types.h"

#include <cstddef>
#include <set>
#include <vector>

namespace sim {

using platform::IconHandle;

class SimIcons {
public:
    // An icon owned by a window's program (set on the window or its class).
    IconHandle makeProgramIcon();
    // The program frees its icon; a copy of it stays valid.
    void destroyProgramIcon(IconHandle icon);
    // Icons of other processes that cannot be copied here (as on Wine), though they are alive.
    std::set<IconHandle> unreadable;
    // The bar's copy; 0 when the icon is not alive.
    IconHandle copy(IconHandle icon, int size);
    // An icon the bar made itself from bits, freed like a copy.
    IconHandle make(int size);
    // The bar frees a copy; anything else counts in wrongFrees.
    void destroy(IconHandle copy);

    bool alive(IconHandle icon) const;
    // The icon a live copy was made from, 0 for anything else; and the size it was made at.
    IconHandle sourceOf(IconHandle copy) const;
    int sizeOf(IconHandle copy) const;
    std::size_t liveCopies() const;

    long long copiesMade = 0;
    // Frees of a program's icon, of an icon already freed, or of a handle never made.
    long long wrongFrees = 0;

private:
    struct Icon {
        bool copy = false;
        bool alive = true;
        IconHandle source = 0;
        int size = 0;
    };
    const Icon* find(IconHandle icon) const;
    static constexpr IconHandle kFirst = 0x50000;
    std::vector<Icon> icons_;
};

} // namespace sim
