#include "tests/e2e/bar/DesktopTasks.h"

namespace bar_probe {

std::vector<HWND> TopLevelWindowsInZOrder()
{
    std::vector<HWND> windows;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        windows.push_back(h);
    return windows;
}

bool IsTaskWindow(HWND window, HWND bar)
{
    if (window == bar || !IsWindowVisible(window) || GetParent(window))
        return false;
    const HWND owner = GetWindow(window, GW_OWNER);
    const LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
    return owner ? (ex & WS_EX_APPWINDOW) != 0 : (ex & WS_EX_TOOLWINDOW) == 0;
}

std::string TitleOf(HWND window)
{
    char title[256] = {};
    const int length = GetWindowTextA(window, title, sizeof title);
    return std::string(title, length > 0 ? length : 0);
}

std::vector<std::string> ExpectedTaskTitles(HWND bar)
{
    std::vector<std::string> titles;
    for (HWND h : TopLevelWindowsInZOrder())
        if (IsTaskWindow(h, bar))
            titles.push_back(TitleOf(h));
    return titles;
}

} // namespace bar_probe
