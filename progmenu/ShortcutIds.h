#pragma once
// Ids of the shortcut window TK. They share the bar's id space (bar/BarIds.h); a test checks
// that none repeats. Its entry in the program menu and the shortcut items are in
// progmenu/ProgramMenuIds.h.
namespace shortcut_ids {

constexpr int BW = 601;    // list box: the categories, an empty first entry
constexpr int TSK = 602;   // list box: one text per shortcut
constexpr int MADD = 603;  // button "Add"
constexpr int MEDIT = 604; // button "Edit"
constexpr int MDEL = 605;  // button "Remove"
constexpr int MQIT = 606;  // button "Close"

// A timer of the form that owns the window (the bar): frees a closed window once its handlers
// returned.
constexpr int ReleaseShortcuts = 313;

namespace menu {
constexpr int M0 = 1401; // popup menu over BW
constexpr int M1 = 1402; // "Rename"
} // namespace menu

} // namespace shortcut_ids
