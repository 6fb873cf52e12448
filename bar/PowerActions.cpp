#include "bar/PowerActions.h"

namespace bar {

bool RequestPowerAction(platform::Power& power, PowerAction action)
{
    switch (action) {
    case PowerAction::LogOff:
        return power.exitWindows(platform::kExitLogOff);
    case PowerAction::Restart:
        power.enableShutdownPrivilege();
        return power.exitWindows(platform::kExitReboot);
    case PowerAction::ShutDown:
        power.enableShutdownPrivilege();
        return power.exitWindows(platform::kExitShutDown);
    }
    return false;
}

} // namespace bar
