#pragma once
// Every control, timer and menu entry of the bar window, one id each. Screen readers, the
// end-to-end probe and the toolkit find controls by these ids; a test checks they are unique.
namespace bar_ids {

// Controls placed directly on the bar window.
constexpr int OEMLOGO = 101;  // picture: the optional logo strip along the left edge
constexpr int Picture2 = 102; // panel along the bottom edge holding the indicators
// The task buttons VTASKS, the task menus and the task manager have their ids in tasks/TaskIds.h.

// Controls inside the panel Picture2.
constexpr int MMX = 110;       // picture: the glow strip along the panel's top
constexpr int RBUT = 111;      // label: browse for a program to run
constexpr int WMPLAY = 112;    // picture: the four Winamp transport buttons
constexpr int SSETTS = 113;    // label: opens the main menu
constexpr int STX = 114;       // label: opens the program menu
constexpr int VRUN = 115;      // text box: the run box
constexpr int TSKMODE_0 = 116; // picture: the task counter's icon
constexpr int TIM3 = 117;      // label: the number of running processes
constexpr int MEMMODE_0 = 120; // pictures: the memory gauge; MEMMODE(i) is MEMMODE_0 + i, i 0 to 6
constexpr int TIM1 = 127;      // label: free physical memory in MB, or a free-up's progress
constexpr int Picture3 = 128;  // picture, hidden
constexpr int Label1 = 129;    // label, hidden
constexpr int ONLED_0 = 130;   // pictures: the dial-up lamp, ONLED(0) off and ONLED(1) on
constexpr int TIM2 = 132;      // label: the time, with the date as its tooltip
// Labels: the notification area's icons, in the order shown.
constexpr int TRAYICON_BASE = 0x300000;
constexpr int TRAYICON_LAST = TRAYICON_BASE + 255;

// Timers.
constexpr int RTASKS = 1; // timer: the refresh tick
constexpr int MALLI = 2;  // timer: docking and auto-hide
constexpr int MMY = 3;    // timer: the glow strip
// 310 (ReleaseTaskManager) is in tasks/TaskIds.h.
constexpr int ReleaseAbout = 311; // timer: frees a closed about box once its handlers returned

// The about box INFO.
namespace about {
constexpr int Backdrop = 401; // picture: the background
constexpr int Picture1 = 402; // picture: the icon on white
constexpr int OKK = 403;      // button: "Close"
constexpr int TMX = 1;        // timer of INFO's own form: closes the box
} // namespace about

// Menus. Arrays of entries are a base plus the element index.
namespace menu {
constexpr int MSETTS = 1000;
constexpr int MABOUT = 1001;
constexpr int MA3 = 1002;
// MX (1003) to MX2 (1024) and the program arrays are in progmenu/ProgramMenuIds.h.
constexpr int MSTX = 1025;
constexpr int MTASKSHOW = 1026;
constexpr int MFREEMEM = 1027;
constexpr int MIMODE = 1028;
constexpr int MA1 = 1029;
constexpr int MSETS = 1030;
constexpr int MSTCONTROLPANEL = 1031;
constexpr int MFULLHEIGHT = 1032;
constexpr int MST3 = 1033;
constexpr int MSHUT = 1034;
constexpr int MQ = 1035;
constexpr int MST_0 = 1036; // MST(i), i from 0 to 2: log off, restart, shut down

// The task menu MF (1100...) and the task-counter menu T (1200...) are in tasks/TaskIds.h.

constexpr int MMEMS = 1300;
constexpr int MMEM_0 = 1301; // MMEM(i), i 0 or 1

} // namespace menu

} // namespace bar_ids
