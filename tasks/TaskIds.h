#pragma once
// Ids of the task subsystem: the task menu MF, the task-counter menu T and the task manager
// window. They share the bar's id space (bar/BarIds.h); a test checks that none repeats.
namespace task_ids {

// The task buttons: VTASKS(i) is VTASKS_BASE + i; the task table never holds more than 65,536
// entries.
constexpr int VTASKS_BASE = 0x200000;
constexpr int VTASKS_LAST = VTASKS_BASE + 65535;

// Controls of the task manager window TASKMGR.
constexpr int TASKLST = 301;  // list box: one item per process, the executable name
constexpr int TSKILLX = 302;  // panel with a single border: the frame of TSKILL
constexpr int TSKILL = 303;   // label used as a button: ends the selected processes
constexpr int TSKREFRX = 304; // panel with a single border: the frame of TSKREFR
constexpr int TSKREFR = 305;  // label used as a button: refills the list

// The bar's arrows that scroll the task buttons while not all of them fit.
constexpr int VTASKS_UP = 306;
constexpr int VTASKS_DOWN = 307;

// Timers. Dissappear belongs to TASKMGR's own form; ReleaseTaskManager to the form that owns the
// task manager (the bar), next to the bar's own timers.
constexpr int Dissappear = 1;           // 2000 ms: closes the window once it lost the foreground
constexpr int ReleaseTaskManager = 310; // frees a closed task manager once its handlers returned

namespace menu {
// Task menu MF; arrays of entries are a base plus the element index.
constexpr int MF = 1100;
constexpr int MFF_0 = 1101; // MFF(i), i from 0 to 4: restore, move, size, minimize, maximise
constexpr int MF1 = 1106;
constexpr int M2 = 1107;
constexpr int MOT_0 = 1108; // MOT(i), i 0 or 1: standard, always on top
constexpr int MOT1 = 1110;
constexpr int MHID = 1111;
constexpr int MOT2 = 1112;
constexpr int MFT = 1113;
constexpr int MF2 = 1114;
constexpr int MCL = 1115;

// Task-counter menu T.
constexpr int T = 1200;
constexpr int MTASKS_0 = 1201; // MTASKS(i), i 0 or 1: show tasks, settings
} // namespace menu

} // namespace task_ids
