#pragma once
// Everything the program asks of Windows, reached through one object handed to each subsystem.
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Launcher.h"
#include "platform/Memory.h"
#include "platform/Network.h"
#include "platform/NotificationHost.h"
#include "platform/Power.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/RemoteAccess.h"
#include "platform/System.h"
#include "platform/Toolkit.h"

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;
    virtual Desktop& desktop() = 0;
    virtual ui::Toolkit& toolkit() = 0;
    virtual Files& files() = 0;
    virtual System& system() = 0;
    virtual Registry& registry() = 0;
    virtual Processes& processes() = 0;
    virtual Memory& memory() = 0;
    virtual Launcher& launcher() = 0;
    virtual Power& power() = 0;
    virtual RemoteAccess& remoteAccess() = 0;
    virtual Network& network() = 0;
    virtual NotificationHost& notificationHost() = 0;
};

} // namespace platform
