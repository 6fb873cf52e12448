#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Memory.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32NotificationHost.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Toolkit.h"

namespace platform::win32 {

struct Win32Platform::Parts {
    Win32Desktop desktop;
    Win32Files files;
    Win32System system;
    Win32Toolkit toolkit;
    Win32Registry registry;
    Win32Processes processes;
    Win32Memory memory;
    Win32Launcher launcher;
    Win32Power power;
    Win32RemoteAccess remoteAccess {launcher}; // declared after the launcher it uses
    Win32Network network;
    Win32NotificationHost notificationHost;
};

Win32Platform::Win32Platform()
    : parts_(std::make_unique<Parts>())
{
}

Win32Platform::~Win32Platform() = default;

Desktop& Win32Platform::desktop()
{
    return parts_->desktop;
}
ui::Toolkit& Win32Platform::toolkit()
{
    return parts_->toolkit;
}
Files& Win32Platform::files()
{
    return parts_->files;
}
System& Win32Platform::system()
{
    return parts_->system;
}
Registry& Win32Platform::registry()
{
    return parts_->registry;
}
Processes& Win32Platform::processes()
{
    return parts_->processes;
}
Memory& Win32Platform::memory()
{
    return parts_->memory;
}
Launcher& Win32Platform::launcher()
{
    return parts_->launcher;
}
Power& Win32Platform::power()
{
    return parts_->power;
}
Network& Win32Platform::network()
{
    return parts_->network;
}

NotificationHost& Win32Platform::notificationHost()
{
    return parts_->notificationHost;
}
RemoteAccess& Win32Platform::remoteAccess()
{
    return parts_->remoteAccess;
}

int Win32Platform::runMessageLoop()
{
    return parts_->toolkit.runMessageLoop();
}

} // namespace platform::win32
