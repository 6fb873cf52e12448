#pragma once
// The real Windows behind the platform seam. Only this header is needed to start the program;
// it keeps <windows.h> out of the portable code.
#include "platform/Platform.h"

#include <memory>

namespace platform::win32 {

class Win32Platform final : public platform::Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Desktop& desktop() override;
    ui::Toolkit& toolkit() override;
    Files& files() override;
    System& system() override;
    Registry& registry() override;
    Processes& processes() override;
    Memory& memory() override;
    Launcher& launcher() override;
    Power& power() override;
    RemoteAccess& remoteAccess() override;
    Network& network() override;
    NotificationHost& notificationHost() override;

    // Pumps window messages until the program quits; returns the exit code.
    int runMessageLoop();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace platform::win32
