// The program: the bar window on the real Windows platform.
#include "bar/TOLVIX.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        platform::win32::Win32Platform platform;
        bar::TOLVIX bar(platform);
        bar.Load();
        return platform.runMessageLoop();
    } catch (...) {
        // Nothing may reach the user as an error message; the bar simply ends.
        return 1;
    }
}
