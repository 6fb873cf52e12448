#pragma once
// The probe's own reading of the desktop: top-level windows in Z order and which of them a
// task bar should show, by the rule the bar is built to (no parent; no owner and not a tool
// window, or an owner and WS_EX_APPWINDOW).
#include <windows.h>

#include <string>
#include <vector>

namespace bar_probe {

std::vector<HWND> TopLevelWindowsInZOrder();
bool IsTaskWindow(HWND window, HWND bar);
std::vector<std::string> ExpectedTaskTitles(HWND bar);
// Titles as the bar reads them: GetWindowTextA into 256 characters.
std::string TitleOf(HWND window);

} // namespace bar_probe
