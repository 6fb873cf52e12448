#include "tests/e2e/bar/ButtonWatch.h"

#include <algorithm>

#include "win32kit/DcScopes.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

bool WaitForCaptions(HWND bar, int timeoutMs, const std::function<bool(const std::vector<std::string>&)>& accept,
    std::vector<std::string>& seen)
{
    return e2e::WaitFor(timeoutMs, [&] {
        seen = Captions(VisibleTaskButtons(bar));
        return accept(seen);
    });
}

std::vector<std::string> Only(const std::vector<std::string>& captions, const std::vector<std::string>& wanted)
{
    std::vector<std::string> kept;
    for (const std::string& c : captions)
        if (std::find(wanted.begin(), wanted.end(), c) != wanted.end())
            kept.push_back(c);
    return kept;
}

bool Contains(const std::vector<std::string>& captions, const std::string& caption)
{
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

COLORREF ButtonBackground(HWND bar, const std::string& caption)
{
    const std::vector<Control> buttons = VisibleTaskButtons(bar);
    const Control* button = FindButton(buttons, caption);
    if (!button)
        return CLR_INVALID;
    const RECT& r = button->onScreen;
    return e2e::ScreenPixel(r.right - 4, (r.top + r.bottom) / 2);
}

bool ButtonHighlighted(HWND bar, const std::string& caption)
{
    return ButtonBackground(bar, caption) == GetSysColor(COLOR_HIGHLIGHT);
}

bool ButtonPlain(HWND bar, const std::string& caption)
{
    return ButtonBackground(bar, caption) == GetSysColor(COLOR_BTNFACE);
}

int TwipsToPixelsX(int twips)
{
    win32kit::WindowDc screen(nullptr);
    return MulDiv(twips, GetDeviceCaps(screen.get(), LOGPIXELSX), 1440);
}

int TwipsToPixelsY(int twips)
{
    win32kit::WindowDc screen(nullptr);
    return MulDiv(twips, GetDeviceCaps(screen.get(), LOGPIXELSY), 1440);
}

} // namespace bar_probe
