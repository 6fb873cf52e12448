#pragma once
// Whether infrared support is on: as the settings say, or, when they hold no choice, as the
// "Infrared Remote" switch beside them says; the switch follows every change the settings make.
#include "infrared/InfraredRemote.h"
#include "platform/Registry.h"
#include "settings/SetupMem.h"

namespace infrared {

class SupportSwitch {
public:
    SupportSwitch(platform::Registry& registry, settings::SetupMem& settings, InfraredRemote& remote);
    SupportSwitch(const SupportSwitch&) = delete;
    SupportSwitch& operator=(const SupportSwitch&) = delete;

    // Once the settings are loaded: support on or off, and the settings then show what is in effect.
    void ApplyAtStart();
    // After the settings were saved: support turned on or off when their choice changed it.
    void ApplySaved();

private:
    platform::Registry& registry_;
    settings::SetupMem& settings_;
    InfraredRemote& remote_;
};

} // namespace infrared
