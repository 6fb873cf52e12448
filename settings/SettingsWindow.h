#pragma once
// Owns the settings window for the bar: creates it on first demand and shows the asked page.
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "settings/SETUP.h"

namespace settings {

class SettingsWindow final {
public:
    // owner is the bar's form: the window is owned by it, and a timer of it frees closed windows.
    SettingsWindow(platform::Platform& platform, ui::Form& owner, SetupMem& store, SETUP::Hooks hooks);
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // One page by its tab index (0 to 3), or all of them (-1); an open window shows the page asked
    // for.
    void PopupSettings(int page);
    // The open window, or null.
    const SETUP* window() const { return slot_.window(); }
    bool holdsClosedWindow() const { return slot_.holdsClosedWindow(); }

private:
    ui::SecondaryWindow<SETUP> slot_;
};

} // namespace settings
