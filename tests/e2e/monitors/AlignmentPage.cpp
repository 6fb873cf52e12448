#include "tests/e2e/monitors/AlignmentPage.h"

#include <cstdio>

#include "bar/BarIds.h"
#include "settings/SettingsIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"

namespace monitors_probe {
namespace {

namespace s = settings_ids;

// Real input reaches only the window in front.
bool ClickInFront(HWND control)
{
    const HWND root = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(root);
    e2e::WaitFor(2000, [&] { return GetForegroundWindow() == root; });
    return e2e::RealLeftClickAt(e2e::CentreOnScreen(control));
}

} // namespace

std::string ChooseAlignment(const bar_probe::RunningBar& running, int listIndex)
{
    bar_probe::WaitForSplashToGo(running);
    bar_probe::BarPopup popup(running);
    const std::string opened =
        popup.Choose(bar_ids::TIM3, bar_probe::KeysTo({{bar_probe::CounterMenuEntries(), "settings"}}), true);
    if (!opened.empty())
        return "task counter menu: " + opened;
    HWND window = nullptr;
    if (!e2e::WaitFor(5000, [&] {
            window = bar_probe::FindVisibleWindowOf(running.process.id(), "Settings");
            return window && IsWindowVisible(bar_probe::ChildById(window, s::SetupPage_0 + 1));
        }))
        return "no settings window on its alignment page within 5 s";
    const HWND list = bar_probe::ChildById(window, s::ALLIST);
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    POINT at = {20, listIndex * height + height / 2};
    ClientToScreen(list, &at);
    SetForegroundWindow(window);
    e2e::WaitFor(2000, [&] { return GetForegroundWindow() == window; });
    if (height <= 0 || !e2e::RealLeftClickAt(at))
        return "could not click entry " + std::to_string(listIndex) + " of the alignment list";
    if (!e2e::WaitFor(3000, [&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == listIndex; }))
        return "the alignment list shows entry " + std::to_string(SendMessageA(list, LB_GETCURSEL, 0, 0)) +
            " after a click on entry " + std::to_string(listIndex);
    // Under Wine a click on "Save" was seen lost now and then: the stored value tells whether it
    // arrived, and a second click is given if not.
    char want[16];
    std::snprintf(want, sizeof want, "00 00 %02X %02X", (listIndex >> 8) & 0xFF, listIndex & 0xFF);
    bool saved = false;
    for (int click = 0; click < 2 && !saved; ++click) {
        if (!ClickInFront(bar_probe::ChildById(window, s::BX1)))
            return "could not click Save";
        saved = e2e::WaitFor(3000, [&] { return bar_probe::StoredSetting("Align_Position") == want; });
    }
    if (!saved)
        return "Save clicked twice, but Align_Position is '" + bar_probe::StoredSetting("Align_Position") +
            "', want '" + want + "'";
    // Save keeps the window open; once the bar has answered, the choice is applied.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    PostMessageA(window, WM_CLOSE, 0, 0);
    e2e::WaitFor(3000, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
    return "";
}

} // namespace monitors_probe
