#pragma once
// Log off, restart and shut down as the platform's session commands.
#include "bar/BarCommands.h"
#include "platform/Power.h"

namespace bar {

// Restart and shut down enable the shutdown privilege first (without it they can never succeed on
// the NT family); log off needs none. False when the platform refused.
bool RequestPowerAction(platform::Power& power, PowerAction action);

} // namespace bar
