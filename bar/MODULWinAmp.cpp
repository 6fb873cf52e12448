#include "bar/MODULWinAmp.h"

#include <cmath>
#include <cstring>

namespace bar {

bool Winamp::FindWinamp()
{
    window_ = desktop_.findWindow(kClassName, nullptr);
    return window_ != 0;
}

bool Winamp::stillWinamp(platform::WindowHandle window)
{
    // A closed window's handle can come back as someone else's window.
    char name[32];
    return window != 0 && desktop_.className(window, name, sizeof name) > 0 && std::strcmp(name, kClassName) == 0;
}

bool Winamp::ButtonReleased(float x, float width)
{
    if (!(x >= 0 && x < width)) // also refuses NaN
        return false;
    auto quarter = static_cast<int>(std::floor(static_cast<double>(x) / width * 4));
    if (quarter > 3) // x just below width can round up to a whole width
        quarter = 3;
    if (!stillWinamp(window_))
        return false;
    return desktop_.sendMessageTimeout(
        window_, platform::kMessageCommand, kCommands[quarter], 0, kSendTimeoutMs, nullptr);
}

} // namespace bar
