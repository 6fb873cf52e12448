#include "tests/e2e/bar/LayoutCases.h"

#include <cstdlib>

#include "bar/ControlIds.h"
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
    const int designedHeight = TwipsToPixelsY(6030);
    report.Check("bar_height_as_designed", std::abs((frame.bottom - frame.top) - designedHeight) <= 1,
        "window " + RectText(frame) + ", designed height " + std::to_string(designedHeight) + " px");
    RECT inside = {};
    GetClientRect(bar, &inside);
    const int designedClientWidth = TwipsToPixelsX(3030);
    report.Check("bar_client_width_as_designed", std::abs(inside.right - designedClientWidth) <= 1,
        "client area " + std::to_string(inside.right) + "x" + std::to_string(inside.bottom) +
            " px inside a window of " + std::to_string(frame.right - frame.left) + " px, designed client width " +
            std::to_string(designedClientWidth) + " px");

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
    report.Check("panel_as_designed",
        panelAtBottom && captions && shown(bar_ids::MEMMODE_0, 7) == 1 && shown(bar_ids::ONLED_0, 2) == 1,
        "panel " + (panel ? RectText(panel->inBar) : std::string("missing")) + " in client " + RectText(client) +
            "; SSETTS " + text(bar_ids::SSETTS) + ", STX " + text(bar_ids::STX) + ", RBUT " + text(bar_ids::RBUT) +
            "; gauge pictures shown " + std::to_string(shown(bar_ids::MEMMODE_0, 7)) + ", lamps shown " +
            std::to_string(shown(bar_ids::ONLED_0, 2)));

    const int designedLeft = TwipsToPixelsX(120);
    const std::vector<Control> elements = TaskButtonElements(controls);
    std::string lefts;
    bool allAtDesign = !elements.empty();
    for (const Control& c : elements) {
        lefts += " " + std::to_string(c.inBar.left);
        allAtDesign = allAtDesign && std::abs(c.inBar.left - designedLeft) <= 1;
    }
    report.Check("buttons_at_designed_left_without_bmp", allAtDesign,
        "expected left " + std::to_string(designedLeft) + " px, task button elements " +
            std::to_string(elements.size()) + " with left edges" + (lefts.empty() ? " (none)" : lefts));
}

} // namespace bar_probe
