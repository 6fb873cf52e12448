// What the program hears from its forms: closing, quitting, timers, mouse, keys and tooltips.
#include "platform/win32/tests/SelfTest.h"
#include "platform/Widgets.h"
#include "platform/win32/tests/Support.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

using namespace selftest;
using ui::ControlKind;

namespace {

std::string closeLine(ui::CloseReason reason)
{
    return "close " + std::to_string(static_cast<int>(reason));
}

std::string mouseLine(ui::ControlId id, int button, int shift, float x, float y)
{
    return "mouseup " + std::to_string(id) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
        std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
}

BOOL CALLBACK findToolTips(HWND window, LPARAM found)
{
    if (_stricmp(className(window).c_str(), TOOLTIPS_CLASSA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND toolTipWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &findToolTips, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string tipText(HWND tips, HWND control)
{
    char text[256] = {};
    TOOLINFOA tool {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

VOID CALLBACK endLoopAnyway(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(99);
}

} // namespace

SELFTEST(CloseRequestsCarryTheirReasonAndOnlyGrantedOnesClose)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    events.grantClose[ui::CloseReason::ControlMenu] = false;
    events.grantClose[ui::CloseReason::Session] = false;
    const ui::FormId form = toolkit.createForm(formSpec("Closing"), events);
    toolkit.showForm(form, true);
    const HWND window = toHwnd(toolkit.formWindow(form));

    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK(events.contains(closeLine(ui::CloseReason::ControlMenu)));
    CHECK(IsWindow(window));

    CHECK_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), static_cast<LRESULT>(FALSE));
    CHECK(events.contains(closeLine(ui::CloseReason::Session)));
    events.grantClose[ui::CloseReason::Session] = true;
    CHECK_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), static_cast<LRESULT>(TRUE));
    CHECK(IsWindow(window)); // the session may still be cancelled by another program
    CHECK(!events.contains("closed"));

    SendMessageA(window, WM_CLOSE, 0, 0);
    CHECK(events.contains(closeLine(ui::CloseReason::Other)));
    CHECK(events.contains("closed"));
    CHECK(!IsWindow(window));
    CHECK_EQ(toolkit.formWindow(form), 0u);
    // The form's id stays harmless after its window is gone.
    setCaption(toolkit, form, 1, "nothing");
    toolkit.showForm(form, true);

    Recorder second;
    const ui::FormId other = toolkit.createForm(formSpec("Ending session"), second);
    const HWND otherWindow = toHwnd(toolkit.formWindow(other));
    SendMessageA(otherWindow, WM_ENDSESSION, TRUE, 0);
    CHECK(!IsWindow(otherWindow));
    CHECK(second.contains("closed"));

    Recorder third;
    const ui::FormId destroyed = toolkit.createForm(formSpec("Destroyed"), third);
    DestroyWindow(toHwnd(toolkit.formWindow(destroyed)));
    CHECK(third.contains("closed"));
    CHECK_EQ(third.count(closeLine(ui::CloseReason::Other)), 0);

    // A close handler that fails is no answer to close on, whichever way the close came.
    Recorder failing;
    failing.closeHook = [](ui::CloseReason) { throw std::runtime_error("a failing handler"); };
    const ui::FormId kept = toolkit.createForm(formSpec("Failing close"), failing);
    const HWND keptWindow = toHwnd(toolkit.formWindow(kept));
    CHECK_EQ(SendMessageA(keptWindow, WM_CLOSE, 0, 0), static_cast<LRESULT>(0));
    SendMessageA(keptWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK_EQ(failing.count(closeLine(ui::CloseReason::ControlMenu)), 1);
    CHECK(IsWindow(keptWindow));
    CHECK(!failing.contains("closed"));
}

SELFTEST(QuitDestroysEveryFormWithoutCloseHandlingAndEndsTheLoop)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder first;
    Recorder second;
    const ui::FormId a = toolkit.createForm(formSpec("First"), first);
    const ui::FormId b = toolkit.createForm(formSpec("Second"), second);
    toolkit.setTimer(a, 1, 10, true);
    const HWND windowA = toHwnd(toolkit.formWindow(a));
    const HWND windowB = toHwnd(toolkit.formWindow(b));

    toolkit.quit();
    CHECK(!IsWindow(windowA));
    CHECK(!IsWindow(windowB));
    CHECK(first.log.empty());
    CHECK(second.log.empty());

    // A pending-message pass after the quit must leave the quit for the main loop.
    toolkit.processPendingMessages();
    const UINT_PTR safety = SetTimer(nullptr, 0, 5000, &endLoopAnyway);
    CHECK_EQ(platform.runMessageLoop(), 0);
    KillTimer(nullptr, safety);
    CHECK(first.log.empty());
}

SELFTEST(TimersTickStopAndNeverStartTheirOwnHandlerAgain)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Timers"), events);

    toolkit.setTimer(form, 7, 20, true);
    CHECK(pumpUntil(platform, [&] { return events.count("timer 7") >= 3; }));
    toolkit.setTimer(form, 7, 20, false);
    const int sevenTicks = events.count("timer 7");
    toolkit.setTimer(form, 8, 20, true);
    CHECK(pumpUntil(platform, [&] { return events.count("timer 8") >= 5; }));
    CHECK_EQ(events.count("timer 7"), sevenTicks);

    // A handler that lets messages run sees other timers, but not itself again.
    int depth = 0;
    int deepest = 0;
    int eightInside = 0;
    events.timerHook = [&](ui::TimerId id) {
        if (id == 10)
            throw std::runtime_error("a failing handler");
        if (id != 9)
            return;
        ++depth;
        deepest = depth > deepest ? depth : deepest;
        const int before = events.count("timer 8");
        pumpUntil(platform, [&] { return events.count("timer 8") >= before + 2; });
        eightInside += events.count("timer 8") - before;
        --depth;
    };
    toolkit.setTimer(form, 9, 10, true);
    CHECK(pumpUntil(platform, [&] { return events.count("timer 9") >= 2; }));
    toolkit.setTimer(form, 9, 10, false);
    CHECK_EQ(deepest, 1);
    CHECK(eightInside >= 2);

    toolkit.setTimer(form, 10, 20, true);
    CHECK(pumpUntil(platform, [&] { return events.count("timer 10") >= 2; }));

    // An enabled timer of no interval never ticks.
    toolkit.setTimer(form, 12, 10, true);
    CHECK(pumpUntil(platform, [&] { return events.count("timer 12") >= 1; }));
    toolkit.setTimer(form, 12, 0, true);
    const int twelveTicks = events.count("timer 12");
    const int eightBefore = events.count("timer 8");
    CHECK(pumpUntil(platform, [&] { return events.count("timer 8") >= eightBefore + 3; }));
    CHECK_EQ(events.count("timer 12"), twelveTicks);

    // A handler may drop its own form and fail after that; the form lasts until it has answered.
    Recorder dropping;
    const ui::FormId doomed = toolkit.createForm(formSpec("Dropped"), dropping);
    const HWND doomedWindow = toHwnd(toolkit.formWindow(doomed));
    dropping.timerHook = [&](ui::TimerId) {
        toolkit.destroyForm(doomed);
        throw std::runtime_error("a failing handler");
    };
    toolkit.setTimer(doomed, 11, 10, true);
    CHECK(pumpUntil(platform, [&] { return !IsWindow(doomedWindow); }));
    CHECK_EQ(dropping.count("timer 11"), 1);
    CHECK(!dropping.contains("closed"));
}

SELFTEST(MouseEventsOnLabelsPicturesAndTheFormBackground)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    const ui::ScreenMetrics screen = toolkit.screen();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Mouse"), events);
    const int button = 0x200000 + 65535;
    toolkit.createControl(form, button, controlSpec(ControlKind::Label, {120, 120, 2775, 285}, "Task"));
    ui::ControlSpec gauge = controlSpec(ControlKind::Picture, {120, 600, 240, 240});
    gauge.artwork = ui::Artwork::Gauge3;
    toolkit.createControl(form, 123, gauge);
    const HWND window = toHwnd(toolkit.formWindow(form));
    const HWND label = GetDlgItem(window, button);
    const HWND picture = GetDlgItem(window, 123);
    const float x = 4 * screen.twipsPerPixelX;
    const float y = 2 * screen.twipsPerPixelY;

    SendMessageA(label, WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(4, 2));
    CHECK(events.contains(mouseLine(button, 2, 1, x, y)));
    SendMessageA(label, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(4, 2));
    CHECK(events.contains(mouseLine(button, 1, 2, x, y)));

    SendMessageA(picture, WM_MBUTTONUP, 0, MAKELPARAM(4, 2));
    CHECK(events.contains(mouseLine(123, 4, 0, x, y)));
    SendMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 2));
    CHECK(events.contains("dblclick 123"));
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
    CHECK(events.contains("dblclick 0"));

    // A handler may remove the very control the button was released over: nothing breaks.
    events.mouseUpHook = [&](ui::ControlId id, ui::MouseButton) { toolkit.destroyControl(form, id); };
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(4, 2));
    CHECK(!IsWindow(label));
    CHECK_EQ(events.count(mouseLine(button, 1, 0, x, y)), 1);
}

SELFTEST(TheUsersInputReachesTheWidgetsOnceWithItsNewValue)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    ui::Form form(toolkit, formSpec("Input"));
    ui::Control panel(form, 102, controlSpec(ControlKind::Panel, {0, 990, 3030, 2000}));
    ui::Control box(form, 115, controlSpec(ControlKind::TextBox, {120, 60, 2775, 285}, "", "", 102));
    ui::Control ok(form, 200, controlSpec(ControlKind::Button, {120, 400, 1200, 400}, "OK", "", 102));
    ui::Control sure(form, 201, controlSpec(ControlKind::CheckBox, {120, 900, 2000, 300}, "Sure", "", 102));
    ui::ControlSpec spin = controlSpec(ControlKind::ScrollBar, {2760, 1300, 255, 360}, "", "", 102);
    spin.max = 2;
    spin.value = 1;
    ui::Control arrows(form, 202, spin);
    std::optional<ui::Control> doomed;
    doomed.emplace(form, 7, controlSpec(ControlKind::Label, {120, 120, 2000, 285}, "Doomed"));
    std::vector<std::string> seen;
    const auto note = [&seen](const char* what) { return [&seen, what] { seen.push_back(what); }; };
    const auto count = [&seen](
                           const char* what) { return static_cast<int>(std::count(seen.begin(), seen.end(), what)); };
    box.onChange(note("change box"));
    box.onKeyPress([&](int& code) {
        seen.push_back("key " + std::to_string(code));
        if (code == 'q')
            code = 0;
    });
    ok.onClick(note("click ok"));
    sure.onClick(note("click sure"));
    sure.onChange(note("change sure"));
    arrows.onChange(note("change arrows"));
    doomed->onMouseUp([&](ui::MouseButton, int, float, float) { doomed.reset(); });
    doomed->onClick(note("click doomed"));
    toolkit.showForm(form.id(), true);
    const HWND window = toHwnd(form.window());
    const HWND textBox = findControl(window, 115);

    // Typed keys pass the key handler, which may discard one, and the box's text follows.
    for (const char key : std::string("1q6"))
        SendMessageA(textBox, WM_CHAR, static_cast<WPARAM>(key), 1);
    CHECK_EQ(windowText(textBox), std::string("16"));
    CHECK_EQ(box.text(), std::string("16"));
    CHECK_EQ(count("key 113"), 1);
    CHECK_EQ(count("change box"), 2);
    SendMessageA(textBox, WM_CHAR, '\r', 1);
    CHECK_EQ(count("key 13"), 1);
    CHECK_EQ(box.text(), std::string("16"));
    // The program's text goes out over what the user typed, and is no change of the user's.
    box.setCaption("15");
    CHECK_EQ(windowText(textBox), std::string("15"));
    CHECK_EQ(count("change box"), 2);

    // Inside a panel the notifications reach the panel first; the form still hears of them.
    SendMessageA(findControl(window, 200), BM_CLICK, 0, 0);
    CHECK_EQ(count("click ok"), 1);
    SendMessageA(findControl(window, 201), BM_CLICK, 0, 0);
    CHECK_EQ(sure.value(), 1);
    CHECK_EQ(count("click sure"), 1);
    CHECK_EQ(count("change sure"), 1);

    // The bar only asks; the value moves within its range and the thumb follows it.
    const HWND bar = findControl(window, 202);
    SendMessageA(GetParent(bar), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageA(GetParent(bar), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    CHECK_EQ(arrows.value(), 0);
    CHECK_EQ(GetScrollPos(bar, SB_CTL), 0);
    SendMessageA(GetParent(bar), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    CHECK_EQ(arrows.value(), 2);
    CHECK_EQ(GetScrollPos(bar, SB_CTL), 2);
    CHECK_EQ(count("change arrows"), 2);

    // A handler may remove the very control the button was released over: then no click follows.
    const HWND label = GetDlgItem(window, 7);
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(4, 2));
    CHECK(!IsWindow(label));
    CHECK_EQ(count("click doomed"), 0);
}

SELFTEST(AcceleratorsReachTheFormOfTheFocusedWindowThroughTheMessageLoop)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    ui::Form first(toolkit, formSpec("First"));
    ui::Form second(toolkit, formSpec("Second"));
    ui::Control box(first, 115, controlSpec(ControlKind::TextBox, {120, 60, 2775, 285}));
    int firstHelp = 0;
    int secondHelp = 0;
    first.onAccelerator(ui::kKeyF1, [&] { ++firstHelp; });
    second.onAccelerator(ui::kKeyF1, [&] { ++secondHelp; });
    std::vector<int> typed;
    box.onKeyPress([&](int& code) { typed.push_back(code); });
    first.onAccelerator('B', [&] { typed.push_back(-1); });
    toolkit.showForm(first.id(), true);
    const HWND textBox = findControl(toHwnd(first.window()), 115);
    SetFocus(textBox);

    PostMessageA(textBox, WM_KEYDOWN, VK_F1, 1);
    CHECK(pumpUntil(platform, [&] { return firstHelp == 1; }));
    CHECK_EQ(secondHelp, 0);
    // A key the form takes never reaches the box; one it does not take is typed as usual.
    PostMessageA(textBox, WM_KEYDOWN, 'B', 1);
    PostMessageA(textBox, WM_KEYDOWN, 'A', 1);
    CHECK(pumpUntil(platform, [&] { return typed.size() >= 2; }));
    CHECK(typed == std::vector<int>({-1, 'a'}));
}

SELFTEST(ToolTipsFollowTheirTextAndAnEmptyTextHasNone)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Tips"), events);
    toolkit.createControl(form, 1, controlSpec(ControlKind::Label, {120, 120, 2000, 285}, "a", "Alpha"));
    toolkit.createControl(form, 2, controlSpec(ControlKind::Label, {120, 600, 2000, 285}, "b", ""));
    toolkit.createControl(form, 3, controlSpec(ControlKind::Label, {120, 1200, 2000, 285}, "c", "Gamma"));
    const HWND window = toHwnd(toolkit.formWindow(form));
    // No tooltip window (nor the common controls) until the mouse comes over a control with a tip;
    // the tips set meanwhile are all there once it does.
    CHECK(toolTipWindow() == nullptr);
    update(toolkit, form, 3, ui::Property::ToolTip, [](ui::ControlSpec& p) { p.toolTip = "Delta"; });
    SendMessageA(GetDlgItem(window, 2), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    CHECK(toolTipWindow() == nullptr);
    SendMessageA(GetDlgItem(window, 1), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    const HWND tips = toolTipWindow();
    CHECK(tips != nullptr);
    if (!tips)
        return;
    const auto tools = [&] { return SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0); };
    CHECK_EQ(tools(), static_cast<LRESULT>(2));
    CHECK_EQ(tipText(tips, GetDlgItem(window, 1)), std::string("Alpha"));
    CHECK_EQ(tipText(tips, GetDlgItem(window, 3)), std::string("Delta"));

    update(toolkit, form, 1, ui::Property::ToolTip, [](ui::ControlSpec& p) { p.toolTip = "Beta"; });
    CHECK_EQ(tipText(tips, GetDlgItem(window, 1)), std::string("Beta"));
    CHECK_EQ(tools(), static_cast<LRESULT>(2));
    update(toolkit, form, 1, ui::Property::ToolTip, [](ui::ControlSpec& p) { p.toolTip = ""; });
    CHECK_EQ(tools(), static_cast<LRESULT>(1));
    update(toolkit, form, 2, ui::Property::ToolTip, [](ui::ControlSpec& p) { p.toolTip = "Bee"; });
    CHECK_EQ(tools(), static_cast<LRESULT>(2));
    CHECK_EQ(tipText(tips, GetDlgItem(window, 2)), std::string("Bee"));
    toolkit.destroyControl(form, 3);
    CHECK_EQ(tools(), static_cast<LRESULT>(1));

    // The tips must not keep the form from becoming topmost (Wine refuses it to a popup owner).
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    toolkit.destroyForm(form);
    CHECK(!IsWindow(tips));
}
