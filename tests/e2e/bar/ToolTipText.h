#pragma once
// Reads the tip another process has set for one of its controls: TTM_GETTEXTA carries pointers,
// so the tool record and the text buffer are placed in that process's memory.
#include <windows.h>

#include <string>

namespace bar_probe {

// The tip of `control` in any tooltip window of its process; false (and `error` says why) when
// none of them has a tip for it.
bool ReadToolTip(HWND control, std::string& text, std::string& error);

} // namespace bar_probe
