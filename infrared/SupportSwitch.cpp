#include "infrared/SupportSwitch.h"

#include "infrared/RemoteSwitch.h"

namespace infrared {

SupportSwitch::SupportSwitch(platform::Registry& registry, settings::SetupMem& settings, InfraredRemote& remote)
    : registry_(registry)
    , settings_(settings)
    , remote_(remote)
{
}

void SupportSwitch::ApplyAtStart()
{
    bool& on = settings_.settings().IR_EnableIRSupport;
    // The settings window then shows the switch in effect.
    if (!settings_.stored("IR_EnableIRSupport"))
        on = ReadRemoteSwitch(registry_).value_or(false);
    if (on)
        remote_.Apply(true);
}

void SupportSwitch::ApplySaved()
{
    const bool on = settings_.settings().IR_EnableIRSupport;
    if (on == remote_.supportOn())
        return;
    // Written whenever the switch changes: a quit runs no close handling to write it later.
    WriteRemoteSwitch(registry_, on);
    remote_.Apply(on);
}

} // namespace infrared
