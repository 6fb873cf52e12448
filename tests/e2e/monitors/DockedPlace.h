#pragma once
// Where a docked bar belongs on a work area, in pixels, for each entry of the settings window's
// alignment list that docks: tucked away (a 16-pixel strip left in view, or the whole bar at the
// centre) while the mouse is away, and pulled out to at most 4 pixels over the area's edges
// while the mouse rests on it.
#include <windows.h>

#include <optional>
#include <string>

namespace monitors_probe {

constexpr int kStripPixels = 16;
constexpr int kOverhangPixels = 4;
// Twips rounding on the way: a place counts as reached within this many pixels per edge.
constexpr int kPlaceTolerance = 2;

struct DockEntry {
    int listIndex;    // as "Align_Position" stores it
    int position;     // 0..8: row * 3 + column of the work area
    const char* name; // for case names
};
// The list entries that dock at one of the positions (the "large" ones left out: they change the
// bar's height too).
extern const DockEntry kDockEntries[7];
const DockEntry* DockEntryOf(int listIndex);

RECT TuckedPlace(int position, SIZE bar, const RECT& work);
RECT ShownPlace(const RECT& tucked, const RECT& work);
// The middle of the part of the tucked bar that is on the work area, where a user rests the mouse.
POINT StripPoint(const RECT& tucked, const RECT& work);

bool Near(const RECT& a, const RECT& b, int tolerance = kPlaceTolerance);
SIZE SizeOf(const RECT& r);
// "left,top widthxheight"
std::string PlaceText(const RECT& r);

} // namespace monitors_probe
