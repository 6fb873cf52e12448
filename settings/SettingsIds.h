#pragma once
// Ids of the settings window SETUP: its controls share the program's control id space (a test
// checks that none repeats); its timer is its own form's.
namespace settings_ids {

// The four pages, stacked panels: SetupPage(i) is SetupPage_0 + i (0 general, 1 alignment,
// 2 memory, 3 infrared).
constexpr int SetupPage_0 = 500;
constexpr int Picture1 = 504; // picture: the small icon over the title of the topmost page

// Page 0: general.
constexpr int Label2 = 510;      // label: the page's title
constexpr int HTASK = 511;       // check box: "hide in Taskmanager"
constexpr int NOTASKM = 512;     // check box: "disable Taskmanager"
constexpr int A00 = 513;         // label: "refresh interval (seconds)"
constexpr int RefInterval = 514; // text box: the refresh interval, 1 to 15
constexpr int RefScroll = 515;   // scroll bar: the interval's spin arrows
constexpr int MONTASKS = 516;    // check box: "only this monitor's tasks"
constexpr int TASKNB = 517;      // check box: a program's task buttons side by side
// Check boxes that act as one choice of what a middle click on a task button does: MCLICK_0 + k
// is checked for the stored value k (0 close, 1 start a copy, 2 nothing).
constexpr int MCLICK_0 = 570;
constexpr int TRAYON = 573; // check box: "show the notification area"

// Page 1: alignment.
constexpr int Label5 = 520; // label: the page's title
constexpr int ALLIST = 521; // list box: where the bar stands
constexpr int PREV_0 = 522; // pictures: PREV(i) is PREV_0 + i, the preview of item i, 0 to 10

// Page 2: memory.
constexpr int Label3 = 540;       // label: the page's title
constexpr int A20 = 541;          // label: "memory to free up (MB)"
constexpr int AUTOMEMAX = 542;    // text box: megabytes to free up
constexpr int VScroll2 = 543;     // scroll bar: steps AUTOMEMAX
constexpr int AUTOMEMCHECK = 544; // check box: "Free up if below..."
constexpr int AUTOMEMIN = 545;    // text box: the automatic free-up's threshold
constexpr int VScroll3 = 546;     // scroll bar: steps AUTOMEMIN

// Page 3: infrared.
constexpr int Label6 = 550;    // label: the page's title
constexpr int MUSE = 551;      // check box: "enable IR Support"
constexpr int LRNM = 552;      // check box: "learning mode"
constexpr int BBrowseIR = 553; // label used as a button: "Browse events"
constexpr int HOTKEY = 554;    // check box: the bar's hot key on or off

// The button bar along the bottom.
constexpr int BX0 = 560;   // panel holding the buttons
constexpr int BX1 = 561;   // label used as a button: "Save"
constexpr int BX2 = 562;   // label used as a button: "Restore"
constexpr int BX3 = 563;   // label used as a button: "Defaults"
constexpr int BMore = 564; // label used as a button: "More..."

constexpr int Dissappear = 1; // timer, 2000 ms: closes the window once it lost the foreground
// A timer of the bar's form: frees a closed settings window once its handlers returned.
constexpr int ReleaseSettings = 312;

} // namespace settings_ids
