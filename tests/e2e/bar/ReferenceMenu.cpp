#include "tests/e2e/bar/ReferenceMenu.h"

#include "tests/e2e/bar/BarReader.h"
#include "win32kit/Handles.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

const char* const kOwnerClass = "TolvaneE2eMenuOwner";
constexpr UINT_PTR kCaptureTimer = 1;

struct MenuCapture {
    HWND menuWindow = nullptr;
    e2e::Image previous;
    e2e::Image result;
    int ticks = 0;
};
MenuCapture* activeCapture = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The menu's modal loop still dispatches timer messages: capture from there.
    if (activeCapture && message == WM_TIMER && wParam == kCaptureTimer) {
        if (!activeCapture->menuWindow)
            activeCapture->menuWindow = FindPopupMenu(GetCurrentProcessId());
        RECT r = {};
        e2e::Image now;
        if (activeCapture->menuWindow && GetWindowRect(activeCapture->menuWindow, &r))
            now = e2e::CaptureScreen(r);
        const bool steady = !now.empty() && e2e::CountDifferentPixels(now, activeCapture->previous) == 0;
        activeCapture->previous = std::move(now);
        if (steady || ++activeCapture->ticks > 50) {
            if (steady)
                activeCapture->result = activeCapture->previous;
            KillTimer(window, kCaptureTimer);
            EndMenu();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwner()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kOwnerClass;
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(
        WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

e2e::Image RenderReferenceMenu(POINT at, const std::vector<MenuEntry>& entries, int defaultIndex)
{
    win32kit::UniqueWindow owner(CreateOwner());
    win32kit::UniqueMenu menu(CreatePopupMenu());
    if (!owner || !menu)
        return {};
    UINT id = 1;
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Normal:
            AppendMenuA(menu.get(), MF_STRING, id++, entry.text);
            break;
        case MenuEntry::Kind::Disabled:
            AppendMenuA(menu.get(), MF_STRING | MF_GRAYED, id++, entry.text);
            break;
        case MenuEntry::Kind::Separator:
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            break;
        case MenuEntry::Kind::Submenu: {
            // The parent menu owns and destroys the submenu.
            HMENU submenu = CreatePopupMenu();
            AppendMenuA(submenu, MF_STRING, 1000, "-");
            AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), entry.text);
            break;
        }
        }
    }
    if (defaultIndex >= 0)
        SetMenuDefaultItem(menu.get(), static_cast<UINT>(defaultIndex), TRUE);

    MenuCapture capture;
    activeCapture = &capture;
    SetForegroundWindow(owner.get());
    SetTimer(owner.get(), kCaptureTimer, 100, nullptr);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, owner.get(), nullptr);
    KillTimer(owner.get(), kCaptureTimer);
    activeCapture = nullptr;
    return capture.result;
}

e2e::Image CaptureWhenSteady(HWND window, int timeoutMs)
{
    e2e::Image previous, steady;
    e2e::WaitFor(timeoutMs, [&] {
        RECT r = {};
        if (!GetWindowRect(window, &r))
            return true;
        e2e::Image now = e2e::CaptureScreen(r);
        if (!now.empty() && e2e::CountDifferentPixels(now, previous) == 0) {
            steady = std::move(now);
            return true;
        }
        previous = std::move(now);
        return false;
    });
    return steady;
}

} // namespace bar_probe
