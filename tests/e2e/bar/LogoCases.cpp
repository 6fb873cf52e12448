#include "tests/e2e/bar/LogoCases.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/bar/LogoPicture.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

void CheckLogo(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "logo", {{".BMP", LogoBmpBytes()}}, 30000);
    if (!report.Check("bar_with_bmp_starts", running->bar != nullptr,
            running->bar ? "bar visible after " + std::to_string(running->startMs) + " ms" : running->error))
        return;
    const HWND bar = running->bar;

    std::vector<Control> controls;
    const Control* logo = nullptr;
    e2e::WaitFor(3000, [&] {
        controls = ReadControls(bar);
        logo = FindControl(controls, bar_ids::OEMLOGO);
        return logo && logo->visible;
    });
    const bool logoShown = logo && logo->visible;
    const RECT logoRect = logo ? logo->inBar : RECT {};
    const int logoWidth = logoRect.right - logoRect.left;
    report.Check("logo_strip_visible_with_bmp", logoShown,
        logo ? std::string("OEMLOGO ") + (logo->visible ? "visible" : "hidden") + " at " +
                std::to_string(logoRect.left) + "," + std::to_string(logoRect.top) + " size " +
                std::to_string(logoWidth) + "x" + std::to_string(logoRect.bottom - logoRect.top)
             : "no control with id OEMLOGO");

    // A point inside the picture (whatever the box's size) on a plain row of the strip.
    COLORREF seen = CLR_INVALID;
    const bool drawn = logoShown && e2e::WaitFor(3000, [&] {
        const RECT& s = logo->onScreen;
        seen = e2e::ScreenPixel(s.left + std::min(logoWidth, kLogoWidth) / 2, s.top + 5);
        return seen == kLogoColour;
    });
    report.Check("logo_picture_drawn", drawn,
        "colour at the top of the strip " + e2e::ColourText(seen) + ", picture " + e2e::ColourText(kLogoColour));

    // Every element of the button array starts at 4/3 of the logo's width.
    const int expectedLeft = static_cast<int>(std::lround(logoWidth * 4.0 / 3.0));
    std::string lefts;
    bool shifted = false;
    e2e::WaitFor(kRefreshDeadlineMs, [&] {
        const std::vector<Control> elements = TaskButtonElements(ReadControls(bar));
        lefts.clear();
        shifted = !elements.empty() && logoShown;
        for (const Control& c : elements) {
            lefts += " " + std::to_string(c.inBar.left);
            shifted = shifted && std::abs(c.inBar.left - expectedLeft) <= 1;
        }
        return shifted;
    });
    report.Check("buttons_start_at_four_thirds_of_logo_width", shifted,
        "logo width " + std::to_string(logoWidth) + " px, expected left " + std::to_string(expectedLeft) +
            " px (left without logo " + std::to_string(TwipsToPixelsX(120)) + "), button left edges" +
            (lefts.empty() ? " (none)" : lefts));

    artifacts.RequestScreenshot("bar-logo");
    running->process.Kill();
}

} // namespace bar_probe
