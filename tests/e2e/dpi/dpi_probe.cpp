// Reads the running bar at the screen's real resolution: its outer size, and whether every
// visible control lies inside the bar and every panel caption fits its control. Prints
// "FIGURE dpi <n> outer <w>x<h>" and PASS/FAIL lines. Usage: dpi_probe.exe <timeout-ms>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tasks/TaskIds.h"

namespace {

struct Child {
    HWND window;
    int id;
    RECT rect;
    std::string text;
};

BOOL CALLBACK Collect(HWND window, LPARAM param)
{
    if (!IsWindowVisible(window))
        return TRUE;
    Child c {window, GetDlgCtrlID(window), {}, {}};
    GetWindowRect(window, &c.rect);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    c.text = text;
    reinterpret_cast<std::vector<Child>*>(param)->push_back(c);
    return TRUE;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
        inner.bottom <= outer.bottom;
}

// Width of the text in the control's own font; -1 when it cannot be measured.
int TextWidth(HWND window, const std::string& text)
{
    HDC dc = GetDC(window);
    if (!dc)
        return -1;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size {};
    const BOOL ok = GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(window, dc);
    return ok ? size.cx : -1;
}

} // namespace

int main(int argc, char** argv)
{
    // Physical pixels, whatever this probe's own awareness would have made of them.
    using SetContextFn = void*(WINAPI*)(void*);
    if (auto set = reinterpret_cast<SetContextFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext"))))
        set(reinterpret_cast<void*>(static_cast<INT_PTR>(-4))); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    const DWORD timeout = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 30000;
    HWND bar = nullptr;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        bar = FindWindowA(nullptr, "Tolvane");
        if (bar && IsWindowVisible(bar))
            break;
        bar = nullptr;
        Sleep(50);
    }
    if (!bar) {
        std::printf("FAIL bar_found: no visible window 'Tolvane' within %lu ms\n", timeout);
        return 1;
    }
    // The three windows run.sh opened have their buttons, so the buttons are measured too.
    auto buttons = [&] {
        std::vector<Child> all;
        EnumChildWindows(bar, Collect, reinterpret_cast<LPARAM>(&all));
        int n = 0;
        for (const Child& c : all)
            n += c.id >= task_ids::VTASKS_BASE && c.id <= task_ids::VTASKS_LAST && c.text.rfind("E2E Burst", 0) == 0;
        return n;
    };
    for (const DWORD shown = GetTickCount(); buttons() < 3 && GetTickCount() - shown < 10000;)
        Sleep(50);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT outer {};
    GetWindowRect(bar, &outer);
    RECT client {};
    GetClientRect(bar, &client);
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf("FIGURE dpi %d outer %ldx%ld client %ldx%ld\n", dpi, outer.right - outer.left, outer.bottom - outer.top,
        client.right - client.left, client.bottom - client.top);

    std::vector<Child> children;
    EnumChildWindows(bar, Collect, reinterpret_cast<LPARAM>(&children));
    int outside = 0, cut = 0;
    for (const Child& c : children) {
        if (!Inside(c.rect, client)) {
            ++outside;
            std::printf("     outside: id %d '%s' (%ld,%ld)-(%ld,%ld)\n", c.id, c.text.c_str(), c.rect.left, c.rect.top,
                c.rect.right, c.rect.bottom);
        }
        // Task buttons show window titles, which may be longer than any button; the panel's
        // captions are the program's own and must fit.
        if (c.id >= task_ids::VTASKS_BASE && c.id <= task_ids::VTASKS_LAST)
            continue;
        // The extent ends with the last character's spacing, up to 2 pixels of no ink.
        const int width = c.text.empty() ? 0 : TextWidth(c.window, c.text) - 2;
        if (width > c.rect.right - c.rect.left) {
            ++cut;
            std::printf(
                "     cut: id %d '%s' needs %d px, has %ld\n", c.id, c.text.c_str(), width, c.rect.right - c.rect.left);
        }
    }
    const int taskButtons = buttons();
    std::printf("%s dpi_%d_controls_inside_the_bar: %zu visible controls (%d task buttons), %d outside\n",
        outside || taskButtons < 3 ? "FAIL" : "PASS", dpi, children.size(), taskButtons, outside);
    std::printf("%s dpi_%d_panel_captions_fit: %d cut\n", cut ? "FAIL" : "PASS", dpi, cut);
    return outside || cut || taskButtons < 3 ? 1 : 0;
}
