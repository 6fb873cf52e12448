#pragma once
// Owns the infrared window for the bar: loaded hidden while infrared support is on, shown by
// "Browse events" or its menu's "Settings", unloaded when support goes off and it is closed.
#include "infrared/IRSupp.h"
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"

namespace infrared {

class InfraredRemote final {
public:
    // The action map is "IR_SCUTS.INI" in the program's folder.
    InfraredRemote(platform::Platform& platform, ui::Form& bar, RemoteHooks hooks);
    InfraredRemote(const InfraredRemote&) = delete;
    InfraredRemote& operator=(const InfraredRemote&) = delete;

    // Support on: the window is loaded (hidden) and its receiver listens. Off: the receiver stops
    // and a hidden window is unloaded.
    void Apply(bool supportOn);
    // Loads the window when needed and shows it.
    void ShowWindow();

    bool supportOn() const { return supportOn_; }
    // The loaded window, or null.
    const IRSupp* window() const { return slot_.window(); }

private:
    platform::Platform& platform_;
    ui::SecondaryWindow<IRSupp> slot_;
    bool supportOn_ = false;
};

} // namespace infrared
