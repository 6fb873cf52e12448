#pragma once
// Ids of the infrared window IRSupp: its controls and menus share the program's id spaces (a test
// checks that none repeats); its timers are its own form's.
namespace infrared_ids {

constexpr int MCONS = 701; // list box: the action map, one entry per line
constexpr int MDEL = 702;  // button: "Remove"
constexpr int MQIT = 703;  // button: "Close"
constexpr int A1 = 704;    // label: the server and whether it is connected

constexpr int Retry = 1;   // timer: the receiver's next connection attempt
constexpr int Timeout = 2; // timer: gives up a connection that does not come
constexpr int Round = 3;   // timer: the receiver's next round of reading

// A timer of the bar's form: frees a closed infrared window once its handlers returned.
constexpr int ReleaseInfrared = 314;

namespace menu {
constexpr int M1 = 1500; // "Define IR Remote action"
constexpr int MA1 = 1501;
constexpr int MA2 = 1502;
constexpr int MA3 = 1503;
constexpr int M2 = 1504;
constexpr int M20_0 = 1505; // M20(i), i 0 to 3: previous, next, minimise, restore
constexpr int M20A = 1509;
constexpr int M2Kill = 1510;
constexpr int M3 = 1511;
constexpr int M30_0 = 1512; // M30(i), i 0 to 4: free the bar, move up, down, left, right
constexpr int M4 = 1517;
constexpr int M40 = 1518;
constexpr int M5 = 1519;
constexpr int M50 = 1520;
constexpr int M6 = 1521;
constexpr int M60_0 = 1522; // M60(i), i 0 to 3: quit, log off, restart, shut down
constexpr int M7 = 1526;
constexpr int M1A = 1527;
constexpr int M8 = 1528;
constexpr int ListMenu = 1530; // the map list's context menu
constexpr int ListRemove = 1531;
} // namespace menu

} // namespace infrared_ids
