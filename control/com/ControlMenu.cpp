#include "control/com/ControlMenu.h"

#include "control/com/WindowAndMenuIds.h"
#include "control/core/MenuTexts.h"

namespace dralith {
namespace {

UINT flags(bool enabled, bool checked)
{
    return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : MF_UNCHECKED);
}

bool isMultiLineMode(int index)
{
    return index >= 3;
}

} // namespace

win32kit::UniqueMenu buildControlMenu(const ControlState& state)
{
    const MenuEntries& entries = state.menu();
    const MenuChecks checks = state.rightClickChecks();
    win32kit::UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return menu;
    AppendMenuA(menu.get(), MF_STRING, ids::kMenuMABOUT, kMenuAboutCaption);
    if (entries.displayVisible) {
        win32kit::UniqueMenu modes(CreatePopupMenu());
        if (modes) {
            for (int index = 0; index < kDisplayModeCount; ++index) {
                if (isMultiLineMode(index) && !entries.multiLineVisible)
                    continue;
                const bool enabled = !isMultiLineMode(index) || entries.multiLineEnabled;
                AppendMenuA(modes.get(), flags(enabled, checks.displayMode[static_cast<std::size_t>(index)]),
                    ids::kMenuMD0 + static_cast<unsigned>(index), kDisplayModeCaptions[index]);
            }
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr); // MX0
            const UINT popupFlags = MF_POPUP | MF_STRING | (entries.displayEnabled ? MF_ENABLED : MF_GRAYED);
            if (AppendMenuA(menu.get(), popupFlags, reinterpret_cast<UINT_PTR>(modes.get()), kMenuDisplayModeCaption))
                modes.release(); // now owned by M0
        }
    }
    if (entries.freeOnClickVisible) {
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr); // MX1
        AppendMenuA(menu.get(), flags(entries.freeOnClickEnabled, checks.freeOnClick), ids::kMenuMCLKONFREE,
            kMenuFreeOnClickCaption);
    }
    return menu;
}

unsigned trackControlMenu(HMENU menu, HWND owner, POINT screenPoint)
{
    return static_cast<unsigned>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
        screenPoint.x, screenPoint.y, 0, owner, nullptr));
}

} // namespace dralith
