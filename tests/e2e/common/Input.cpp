#include "tests/e2e/common/Input.h"

#include "tests/e2e/common/Poll.h"

namespace e2e {
namespace {

void PostClick(HWND control, UINT down, UINT up, WPARAM downKeys)
{
    RECT r = {};
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageA(control, down, downKeys, at);
    PostMessageA(control, up, 0, at);
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

void PostLeftClick(HWND control)
{
    PostClick(control, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
}
void PostRightClick(HWND control)
{
    PostClick(control, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
}

namespace {

bool CursorAt(POINT screen)
{
    POINT now = {};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

// Under Wine a pointer warp of an earlier click can come back late from the X server and put
// the cursor where that click was: the buttons would then go there. Placed again until it
// stays put for two reads in a row.
bool PlaceCursor(POINT screen)
{
    if (!SetCursorPos(screen.x, screen.y))
        return false;
    int steady = 0;
    WaitFor(1000, [&] {
        if (CursorAt(screen))
            return ++steady >= 2;
        steady = 0;
        SetCursorPos(screen.x, screen.y);
        return false;
    });
    return true;
}

bool SendMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

bool RealClickAt(POINT screen, DWORD down, DWORD up)
{
    if (!PlaceCursor(screen))
        return false;
    INPUT inputs[2] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = down;
    inputs[1].mi.dwFlags = up;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

} // namespace

bool RealLeftClickAt(POINT screen)
{
    return RealClickAt(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

bool RealRightClickAt(POINT screen)
{
    return RealClickAt(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

bool RealMiddleClickAt(POINT screen)
{
    return RealClickAt(screen, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
}

bool RealDragFromTo(POINT from, POINT to)
{
    if (!PlaceCursor(from) || !SendMouse(MOUSEEVENTF_LEFTDOWN))
        return false;
    PumpFor(100);
    constexpr int kSteps = 5;
    for (int i = 1; i <= kSteps; ++i) {
        SetCursorPos(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
        PumpFor(30);
    }
    PlaceCursor(to);
    return SendMouse(MOUSEEVENTF_LEFTUP);
}

bool RealWheelAt(POINT screen, int turn)
{
    return PlaceCursor(screen) && SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(turn));
}

bool RealKeyPress(WORD modifier, WORD key)
{
    INPUT inputs[4];
    UINT count = 0;
    if (modifier)
        inputs[count++] = KeyInput(modifier, false);
    inputs[count++] = KeyInput(key, false);
    inputs[count++] = KeyInput(key, true);
    if (modifier)
        inputs[count++] = KeyInput(modifier, true);
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}

POINT CentreOnScreen(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return POINT {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace e2e
