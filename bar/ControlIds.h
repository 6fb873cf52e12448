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

// Timers.
constexpr int RTASKS = 1; // timer: the refresh tick
constexpr int MALLI = 2;  // timer: docking and auto-hide
constexpr int MMY = 3;    // timer: the glow strip

// Menus. Arrays of entries are a base plus the element index.
namespace menu {
constexpr int MSETTS = 1000;
constexpr int MABOUT = 1001;
constexpr int MA3 = 1002;
constexpr int MX = 1003;
constexpr int SM1X = 1004;
constexpr int SM2X = 1005;
constexpr int SM3X = 1006;
constexpr int SM4X = 1007;
constexpr int PARTER1 = 1008;
constexpr int SMXX = 1009;
constexpr int SMAX = 1010;
constexpr int SMBX = 1011;
constexpr int SMCX = 1012;
constexpr int SMDX = 1013;
constexpr int SMEX = 1014;
constexpr int SMFX = 1015;
constexpr int PARTER4 = 1016;
constexpr int SM5X = 1017;
constexpr int SM6X = 1018;
constexpr int SM7X = 1019;
constexpr int SM8X = 1020;
constexpr int SM9X = 1021;
constexpr int PARTER2 = 1022;
constexpr int PARTER3 = 1023;
constexpr int MX2 = 1024;
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

// Program menu arrays SM0 to SMF: SM_BASE(category) + element index.
constexpr int SM_STRIDE = 0x100000;
constexpr int SM_BASE(int category)
{
    return SM_STRIDE * (category + 1);
}
} // namespace menu

} // namespace bar_ids
