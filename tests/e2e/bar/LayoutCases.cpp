#include "tests/e2e/bar/LayoutCases.h"

#include <cstdlib>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {

void CheckBarBasics(e2e::Report& report, const RunningBar& running)
{
    const HWND bar = running.bar;
    LONG ex = 0;
    const bool topmost = e2e::WaitFor(3000, [&] {
        ex = GetWindowLongA(bar, GWL_EXSTYLE);
        return (ex & WS_EX_TOPMOST) != 0;
    });
    report.Check("bar_is_topmost", topmost, "extended style " + e2e::Hex(static_cast<unsigned long>(ex)));

    const std::vector<Control> controls = ReadControls(bar);
    const Control* logo = FindControl(controls, bar_ids::OEMLOGO);
    report.Check("logo_hidden_without_bmp", logo && !logo->visible,
        logo ? std::string("OEMLOGO ") + (logo->visible ? "visible " : "hidden ") + RectText(logo->inBar)
             : "no control with id OEMLOGO among " + std::to_string(controls.size()) + " child windows");

    RECT frame = {};
    GetWindowRect(bar, &frame);
    const int startHeight = TwipsToPixelsY(6030);
    report.Check("bar_height_at_start", std::abs((frame.bottom - frame.top) - startHeight) <= 1,
        "window " + RectText(frame) + ", expected height " + std::to_string(startHeight) + " px");
    RECT inside = {};
    GetClientRect(bar, &inside);
    const int expectedClientWidth = TwipsToPixelsX(3030);
    report.Check("bar_client_width_exact", std::abs(inside.right - expectedClientWidth) <= 1,
        "client area " + std::to_string(inside.right) + "x" + std::to_string(inside.bottom) +
            " px inside a window of " + std::to_string(frame.right - frame.left) + " px, expected client width " +
            std::to_string(expectedClientWidth) + " px");

    // The panel: fixed captions, one memory gauge picture and one lamp shown, at the bottom edge.
    auto text = [&](int id) {
        const Control* c = FindControl(controls, id);
        return c ? "'" + c->text + "'" + (c->visible ? "" : " hidden") : std::string("missing");
    };
    auto shown = [&](int first, int count) {
        int visible = 0;
        for (int id = first; id < first + count; ++id) {
            const Control* c = FindControl(controls, id);
            visible += c && c->visible;
        }
        return visible;
    };
    RECT client = {};
    GetClientRect(bar, &client);
    const Control* panel = FindControl(controls, bar_ids::Picture2);
    const bool panelAtBottom = panel && panel->visible && panel->inBar.bottom == client.bottom &&
        panel->inBar.left == 0 && panel->inBar.right == client.right;
    const bool captions =
        text(bar_ids::SSETTS) == "'Tolvane'" && text(bar_ids::STX) == "'>'" && text(bar_ids::RBUT) == "'...'";
    report.Check("panel_on_bottom_edge",
        panelAtBottom && captions && shown(bar_ids::MEMMODE_0, 7) == 1 && shown(bar_ids::ONLED_0, 2) == 1,
        "panel " + (panel ? RectText(panel->inBar) : std::string("missing")) + " in client " + RectText(client) +
            "; SSETTS " + text(bar_ids::SSETTS) + ", STX " + text(bar_ids::STX) + ", RBUT " + text(bar_ids::RBUT) +
            "; gauge pictures shown " + std::to_string(shown(bar_ids::MEMMODE_0, 7)) + ", lamps shown " +
            std::to_string(shown(bar_ids::ONLED_0, 2)));

    const int expectedLeft = TwipsToPixelsX(120);
    const std::vector<Control> elements = TaskButtonElements(controls);
    std::string lefts;
    bool allAtLeft = !elements.empty();
    for (const Control& c : elements) {
        lefts += " " + std::to_string(c.inBar.left);
        allAtLeft = allAtLeft && std::abs(c.inBar.left - expectedLeft) <= 1;
    }
    report.Check("buttons_at_120_twips_without_bmp", allAtLeft,
        "expected left " + std::to_string(expectedLeft) + " px, task button elements " +
            std::to_string(elements.size()) + " with left edges" + (lefts.empty() ? " (none)" : lefts));
}

} // namespace bar_probe
